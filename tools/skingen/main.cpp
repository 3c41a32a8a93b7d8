// skingen: draws the program's skin pictures into the folder given on the
// command line (the build passes <build>/Skins).
#include "Pictures.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: skingen <skin folder>\n");
        return 2;
    }
    QString error;
    const QStringList written = skingen::DrawAllPictures(QString::fromLocal8Bit(argv[1]), &error);
    if (written.isEmpty()) {
        std::fprintf(stderr, "skingen: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("skingen: %lld pictures\n", static_cast<long long>(written.size()));
    return 0;
}
