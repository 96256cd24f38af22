#pragma once

// Reading a picture as an image mask, for platform sources only.

#include <QtGui/QImage>

#include "platform/graphics/CGImage.h"

// How much of what is drawn each mask pixel lets through, as a Grayscale8 image of the
// mask's size: 255 where the mask is black, 0 where it is white (1 − its grey level;
// colour pixels by luma, transparency read as laid over black).
QImage maskCoverage(const CGImage& mask);
