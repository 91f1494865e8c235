// Golden template: stage Etap0, tables in Etap0.dat.
public class Etap0 extends MyGameCanvas.Stage {
void load() throws java.io.IOException { tables("/Etap0.dat"); } // etap0
int keys() { return etap1data.keyCode1 + etap0; }   
void events() {
if((obtime>0)){{etap=etap+1;}};
for(int kr1=0;kr1<=kol_obj[1]-1;kr1++){if(obj[gr_obj[1][kr1]].away())continue;for(int kr2=0;kr2<=kol_obj[2]-1;kr2++){if(obj[gr_obj[2][kr2]].away())continue;if((objtip[gr_obj[1][kr1]]==1)){{objtip[gr_obj[1][kr1]]=2;kd=kr2;}};}}
for(int kr1=0;kr1<=kol_obj[1]-1;kr1++){if(obj[gr_obj[1][kr1]].away())continue;for(int kr2=0;kr2<=kol_obj[2]-1;kr2++){if(obj[gr_obj[2][kr2]].away())continue;if((objtip[gr_obj[1][kr1]]==1)){{vis_obj[gr_obj[2][kr2]]=true;}};}}
if((etap1data.keyCode1==53)){{life=3;}};
if((etap1data.keyCode1==53)){{control=false;}};
}}
