// Round trips through other programs (ImageMagick, Pillow, gifsicle).
#include <gtest/gtest.h>
