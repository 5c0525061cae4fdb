# The address book's reader over any file, and the lookup that reads it at
# send time.
kz8_fuzz_target(fuzz_address_book address_book_fuzz.cpp kz8_mail_portable)
# SMTP replies from any server, in any packets; recipient texts from users.
kz8_fuzz_target(fuzz_smtp_reply smtp_reply_fuzz.cpp kz8_mail_portable)
kz8_fuzz_target(fuzz_recipients recipients_fuzz.cpp kz8_mail_portable)
