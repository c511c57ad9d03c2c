# gallery sources shared by both builds, one per line.
quandrels_sources(
  game/gallery/Carousel.cpp
  game/gallery/CarouselPath.cpp
  game/gallery/CheckText.cpp
  game/gallery/FadingText.cpp
  game/gallery/FullscreenText.cpp
  game/gallery/Gallery.cpp
  game/gallery/Icon.cpp
)
