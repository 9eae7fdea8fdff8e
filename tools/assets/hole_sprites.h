#pragma once
// The animated pictures of a hole's image list: eruption, blast, splash,
// floaters, bonus pick-up, sparkle, muzzle flash, glows, cycling obstacles,
// the worker, teleport flash, scuff marks, spring and fan animations, rubble.

#include <string>

#include "media/image_list.h"
#include "media/picture.h"
#include "tools/assets/hole_source.h"

namespace gp::assets {

// Makes course item `index` from a generator spec "NAME [ARG...]" (the
// [images] entries). `course` is the finished course picture (for covers).
// Throws std::runtime_error for an unknown generator.
ImageItem MakeHoleSprite(const HoleSource& h, const Picture& course, int index,
                         const std::string& spec);

// Fixed items: 3 eruption (geysers) or blast (mines), 4 splash, 13 teleport
// flash, 14..16 scuff marks (orientations 19, 109 and 0).
ImageItem MakeEruption();
ImageItem MakeBlast();
ImageItem MakeSplash(bool acid);
ImageItem MakeTeleportFlash();
ImageItem MakeScuff(int orientation);

// The front of a round opening copied from the course picture, keyed inside
// the opening: the cup lip (item 2) and pipe covers. (left, top) is where the
// game draws it; (cx, cy, r) the opening.
ImageItem MakeCover(const std::string& name, const Picture& course, int left, int top, int cx,
                    int cy, int r);

}  // namespace gp::assets
