// bare-window: the least a Qt Widgets program does to show an empty window as large as
// Verdane's main window and to end with 0 when that window is closed. The start-up benchmark
// measures it beside the program, so that what the toolkit and the X server cost by themselves
// is not counted against the program.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(989, 660); // the main window's size, so that the server's work matches
    window.show();
    return application.exec(); // closing the last window ends the loop with 0
}
