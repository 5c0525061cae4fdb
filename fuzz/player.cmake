# The card player's parsers of outside input: the package appended to the
# player, and the JPEG pictures inside it.
kz8_fuzz_target(fuzz_card_package card_package_fuzz.cpp kz8_player_portable)
kz8_fuzz_target(fuzz_jpeg_dib jpeg_dib_fuzz.cpp kz8_player_portable)
