// The program entry.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowTitle(QStringLiteral("Quillmer"));
    w.resize(694, 440);
    w.show();
    return app.exec();
}
