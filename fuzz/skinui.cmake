# The template library's parser of outside input: .dtp text to records.
kz8_fuzz_target(fuzz_template template_fuzz.cpp kz8_skinui_portable)
# The template pictures' bitmap reader.
kz8_fuzz_target(fuzz_bmp bmp_fuzz.cpp kz8_skinui_portable)
# Mask blending and the hit test over any sizes, places and depths.
kz8_fuzz_target(fuzz_mask mask_fuzz.cpp kz8_skinui_portable)
