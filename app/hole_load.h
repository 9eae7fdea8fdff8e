#pragma once
// Loading a hole: the loading picture, the hole's wave list, image list and
// hole file, the sizes the simulation reads, then the hole's set-up; the frame
// timer runs again at the end.
//
// Runs at game start and whenever the simulation asks for the next hole. A
// missing or bad ".dxw" or ".dxg", or a ".hole" that cannot be read, raises
// AssetError ("Cannot open file <path>", ...): the remaining steps do not run
// and the frame timer stays off.

namespace gp {

void HoleInit();

// Black screen with the loading picture (menu item 1) centred, presented at
// once; also while a course's holes compile.
void ShowLoadingPicture();

// The course picture's size and every course image's pattern count, as the
// simulation reads them, from the hole's image list.
void PublishCourseImages();

}  // namespace gp
