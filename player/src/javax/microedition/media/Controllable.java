package javax.microedition.media;

/** What hands out controls by name. */
public interface Controllable {
    Control getControl(String controlType);

    Control[] getControls();
}
