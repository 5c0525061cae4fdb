# The MP3 stream reader: Read frame and the bit reader over arbitrary bytes.
kz8_fuzz_target(fuzz_mp3_reader mp3_reader_fuzz.cpp kz8_audio_portable)

# The reader and the decoder together, over the same kind of input.
kz8_fuzz_target(fuzz_mp3_decoder mp3_decoder_fuzz.cpp kz8_audio_portable)
