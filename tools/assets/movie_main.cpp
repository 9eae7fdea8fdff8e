// The "movies" generator: the intro movies "zorbel.avi" and "intro.avi".
#include "tools/assets/generator.h"
#include "tools/assets/movie_scenes.h"

namespace gp::assets {

namespace {

void RunMovies(const Context& ctx) {
  WriteLogoMovie(ctx.out + "zorbel.avi");
  Progress("zorbel.avi");
  WriteIntroMovie(ctx.out + "intro.avi");
  Progress("intro.avi");
}

Registrar kMovieMainGenerator{{"movies", RunMovies}};

}  // namespace

}  // namespace gp::assets
