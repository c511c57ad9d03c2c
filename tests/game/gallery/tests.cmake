# The gallery's rules without a window.
unit_test(
  game/gallery/CarouselTest.cpp
  game/gallery/CarouselPathTest.cpp
  game/gallery/GalleryRulesTest.cpp
)
