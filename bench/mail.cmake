# Sending a 5 MB card to a loopback aiosmtpd over POSIX sockets, against
# Python's smtplib sending the same wire bytes to the same server.
kz8_benchmark(bench_smtp_send SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_smtp_send.cpp
    DEPS kz8_mail_posix
    ARGS ${CMAKE_SOURCE_DIR}/mail/tests/smtp_test_servers.py
        ${CMAKE_CURRENT_SOURCE_DIR}/smtp_send_peer.py)
