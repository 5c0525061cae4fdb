#!/usr/bin/python3
"""The peer of bench_smtp_send: Python's smtplib sending the wire bytes a
server stored, to the same server, ROUNDS times; prints the median in ms.
Usage: smtp_send_peer.py MESSAGE.eml ROUNDS"""
import smtplib
import statistics
import sys
import time


def main(path, rounds):
    with open(path, "rb") as stored:
        content = stored.read()
    times = []
    for _ in range(rounds):
        started = time.perf_counter()
        with smtplib.SMTP("127.0.0.10", 25) as server:
            server.helo("bench")
            server.sendmail("me@example.com", ["you@example.com"], content)
        times.append((time.perf_counter() - started) * 1000)
    print(f"{statistics.median(times):.1f}")


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]))
