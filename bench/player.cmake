# Card player: picture decoding against djpeg, card extraction against cp.
kz8_benchmark(bench_jpeg_dib SOURCES bench_jpeg_dib.cpp DEPS kz8_player_portable)
kz8_benchmark(bench_card_extract SOURCES bench_card_extract.cpp DEPS kz8_cardpack)
