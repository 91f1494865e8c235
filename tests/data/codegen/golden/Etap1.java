// Golden template: stage Etap1, tables in Etap1.dat.
public class Etap1 extends MyGameCanvas.Stage {
void load() throws java.io.IOException { tables("/Etap1.dat"); } // etap1
int keys() { return etap1data.keyCode1 + etap1; }   
void events() {
}}
