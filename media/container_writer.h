#pragma once
// Writes image-list and wave-list files that LoadImageList / LoadWaveList read
// back unchanged. Used by the asset compiler and by tests.

#include <cstdint>
#include <string>
#include <vector>

#include "media/image_list.h"
#include "media/wave_list.h"

namespace gp {

// Pictures are stored as "TBitmap" Windows bitmaps (24 bits per pixel).
// Throws AssetError when the file cannot be written.
void WriteImageList(const std::string& path, const std::vector<ImageItem>& items);
std::vector<uint8_t> EncodeImageList(const std::vector<ImageItem>& items);

// A complete Windows bitmap file (24 bits per pixel, bottom-up) of a picture.
std::vector<uint8_t> EncodeBitmap(const Picture& picture);

// Waves are stored as RIFF WAVE with the item's format and data.
void WriteWaveList(const std::string& path, const std::vector<WaveItem>& items);
std::vector<uint8_t> EncodeWaveList(const std::vector<WaveItem>& items);

// A RIFF WAVE image of 16-bit mono samples at the given rate.
std::vector<uint8_t> EncodeWave(const std::vector<int16_t>& samples, int rate = 22050);
// Fills item.format/data/frames/samples from 16-bit mono samples at 22 050 Hz.
void SetWaveSamples(WaveItem& item, const std::vector<int16_t>& samples);

}  // namespace gp
