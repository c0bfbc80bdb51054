#include "stored_pictures.h"

void LoadAboutPictures(TGfxBitmapList& list) { list.LoadFromFile(QString::fromLatin1(AboutPicturesResource)); }
