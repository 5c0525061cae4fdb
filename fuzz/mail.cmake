# The address book's reader over any file, and the lookup that reads it at
# send time.
kz8_fuzz_target(fuzz_address_book address_book_fuzz.cpp kz8_mail_portable)
