// Golden template: stage Etap1, data in Etap1data.
public class Etap1 extends MyGameCanvas.Stage {
Etap1data data = new Etap1data(); // Etap1data etap1data
int keys() { return etap1data.keyCode1 + etap1; }   
void events() {
}}
