#!/usr/bin/python3
"""The peer of bench_secure_send: Python's smtplib with starttls() and an
AUTH PLAIN login sending the wire bytes the bench server stored, to the
same server, ROUNDS times; the time from the connect to the reply to the
end of data, as a median in ms, and its ratio to ours.
Usage: smtp_submission_peer.py CERTIFICATES MESSAGE.eml ROUNDS OURS_MS"""
import base64
import os
import smtplib
import ssl
import statistics
import sys
import time

LOGIN = "\0kz8user\0p\u00e4ssw\u00f6rd-\u03a9"  # smtplib's login() takes ASCII only


def main(certificates, path, rounds, ours):
    with open(path, "rb") as stored:
        content = stored.read()
    context = ssl.create_default_context(cafile=os.path.join(certificates, "ca.pem"))
    token = base64.b64encode(LOGIN.encode("utf-8")).decode("ascii")
    times = []
    for _ in range(rounds):
        started = time.perf_counter()
        server = smtplib.SMTP("127.0.0.44", 587)
        server.ehlo("bench")
        server.starttls(context=context)
        server.ehlo("bench")
        code, _ = server.docmd("AUTH", "PLAIN " + token)
        if code != 235:
            sys.exit("smtp_submission_peer: login refused")
        server.sendmail("me@example.com", ["you@example.com"], content)
        times.append((time.perf_counter() - started) * 1000)
        server.quit()
    peer = statistics.median(times)
    print(f"the same bytes with smtplib starttls() and AUTH PLAIN, median of {rounds}: "
          f"{peer:.1f} ms; ours / smtplib = {ours / peer:.2f}")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], int(sys.argv[3]), float(sys.argv[4]))
