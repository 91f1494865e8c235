// Golden template: stage Etap0, tables in Etap0.dat.

   public class Etap0 extends MyGameCanvas.Stage {
	void load() throws java.io.IOException { tables("/Etap0.dat"); } // etap0


        int keys() { return etap1data.keyCode1 + etap0; }   
  	  void events() {

  
