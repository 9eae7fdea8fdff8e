#pragma once
// The two intro movies: the maker's logo sting ("zorbel.avi") and the intro
// ("intro.avi"), their timelines, pictures and sound tracks.

#include <cstdint>
#include <string>
#include <vector>

namespace gp::assets {

constexpr int kMovieW = 640, kMovieH = 480;  // pixels
constexpr int kMovieFps = 25;                // frames per second

// The logo sting, in seconds: a planet lights up, its ring sweeps round,
// "zorbel games" writes itself beside it, a glint, then a fade to black.
namespace logo {
constexpr double kPlanet = 0.15, kRing = 0.45, kLetters = 0.9, kGames = 1.5, kGlint = 1.95;
constexpr double kFadeOut = 2.55, kEnd = 3.2;
}  // namespace logo

// The intro, in seconds: a ball streaks through space while the view sinks
// onto a floating green; it lands, hops twice, rolls into the cup; the title
// rises with a chord, then everything fades.
namespace intro {
constexpr double kFlight = 0.2, kLand = 3.2, kHop2 = 3.75, kRoll = 4.05, kSink = 5.6;
constexpr double kTitle = 5.9, kSubtitle = 6.6, kFadeOut = 8.6, kEnd = 9.4;
}  // namespace intro

// Writes each movie (pictures and sound) to `path`.
void WriteLogoMovie(const std::string& path);
void WriteIntroMovie(const std::string& path);

// Their sound tracks: 22 050 Hz mono samples, as long as the movie.
std::vector<int16_t> LogoSound();
std::vector<int16_t> IntroSound();

}  // namespace gp::assets
