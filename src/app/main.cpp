// The window program's entry point: the start-up (the main window, whose
// creation restores the language and starts the update check, and the hidden
// area builder window), then the message loop until the main window closes.
#include "app/application.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    kestrane::app::KestraneBuilderApp builder;
    return builder.exec();
}
