# The movie export's conversion from a scripted source through our writer,
# the media layer's surfaces into pictures, and any PCM into the track's sound.
kz8_fuzz_target(fuzz_movie_driver movie_driver_fuzz.cpp kz8_movie_portable)
kz8_fuzz_target(fuzz_movie_pictures movie_pictures_fuzz.cpp kz8_movie_portable)
kz8_fuzz_target(fuzz_sound_converter sound_converter_fuzz.cpp kz8_movie_portable)
