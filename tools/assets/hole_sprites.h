#pragma once
// The animated pictures of a hole's image list: eruption, blast, splash,
// floaters, bonus pick-up, sparkle, muzzle flash, glows, cycling obstacles,
// the worker, teleport flash, scuff marks, spring and fan animations, rubble,
// machines.

#include <cairo.h>

#include <functional>
#include <string>

#include "media/image_list.h"
#include "media/picture.h"
#include "tools/assets/canvas.h"
#include "tools/assets/hole_paint.h"
#include "tools/assets/hole_source.h"

namespace gp::assets {

// Makes course item `index` from a generator spec "NAME [ARG...]" (the
// [images] entries). `course` is the finished course picture (for covers).
// Throws std::runtime_error for an unknown generator.
ImageItem MakeHoleSprite(const HoleSource& h, const Picture& course, int index,
                         const std::string& spec);

// An item of `n` patterns of w x h side by side; `draw(cr, k, t)` draws
// pattern k (t = k / n) with its top-left at the origin.
ImageItem Strip(const std::string& name, int w, int h, int n, KeyMode mode,
                const std::function<void(cairo_t*, int, double)>& draw);

// Floaters (hole_floaters.cpp): `index` 5 is the largest, 7 the smallest.
ImageItem MakeDustMote(int index);
ImageItem MakeShard(int index, const Col& accent);
ImageItem MakeBubble(int index);
// A faint accent-coloured blob w x h: a halo when added, a soft shade when subtracted.
ImageItem MakeHalo(int w, int h, const Col& accent);

// Looping machines (hole_machines.cpp).
ImageItem MakeCog(const Col& accent);
ImageItem MakePumpJack(const Col& accent);
ImageItem MakeDish(const Col& accent);
ImageItem MakeBuoy(const Col& accent);

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
