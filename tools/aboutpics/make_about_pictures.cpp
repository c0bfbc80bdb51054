// make_about_pictures FILE: draws the About box's five model pictures and
// stores them as a bitmap list file (resources/about/GfxBitmapList1.gfxlist
// in the source tree; the About box loads it from the program's resources).
#include "about_pictures.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_about_pictures FILE\n");
        return 2;
    }
    try {
        TGfxBitmapList list;
        FillAboutPictureList(list);
        list.SaveToFile(QString::fromLocal8Bit(argv[1]));
    } catch (const Exception& e) {
        std::fprintf(stderr, "make_about_pictures: %s\n", qPrintable(e.Message()));
        return 1;
    }
    return 0;
}
