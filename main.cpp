#include "commandline.h"
#include "form1.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    CommandLine::prepare(argc, argv);
    QApplication app(argc, argv);
    prepareApplication();
    if (const std::optional<int> done = CommandLine::run(QApplication::arguments()))
        return *done;
    Form1 window;
    window.show();
    return app.exec();
}
