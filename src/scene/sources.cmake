# scene sources shared by both builds, one per line.
quandrels_sources(
)
