#pragma once
// One drawing function per picture of the guide; each returns an image of the picture's fixed
// pixel size. The comments beside each name give the part that the program's box shows.

#include <QImage>

namespace picgen {

QImage drawMainPicture();             // 709 x 366, shown: columns 0-615, rows 0-343
QImage drawBiostarMainPicture();      // 580 x 326, shown: all columns, rows 0-287
QImage drawBiostarAdvancedPicture();  // 580 x 326, shown: columns 0-423, rows 0-151
QImage drawMsiMenuPicture();          // 580 x 460, shown: columns 8-551, rows 0-287
QImage drawMsiCpuFeaturePicture();    // 580 x 486, shown: all columns, rows 0-391
QImage drawGigabyteCpuPicture();      // 600 x 528, shown: columns 0-479, rows 0-311
QImage drawAsusCpuPicture();          // 992 x 709, shown: columns 0-735, rows 0-631

}  // namespace picgen
