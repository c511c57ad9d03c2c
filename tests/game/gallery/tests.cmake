# The gallery's rules without a window.
unit_test(
  game/gallery/CarouselTest.cpp
  game/gallery/CarouselPathTest.cpp
  game/gallery/GalleryRulesTest.cpp
)
# The gallery drawn and clicked on a real window, in both builds.
gl_test_both(
  game/gallery/GalleryTest.cpp
)
