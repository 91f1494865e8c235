// Golden template: stage Etap0, data in Etap0data.

   public class Etap0 extends MyGameCanvas.Stage {
	Etap0data data = new Etap0data(); // Etap0data etap0data


        int keys() { return etap1data.keyCode1 + etap0; }   
  	  void events() {

  
