#!/usr/bin/python3
"""SMTP servers for the mail tests, all in one background process, each on
port 25 of its own loopback address so that tests can run side by side.

    smtp_test_servers.py start DIR   starts them; returns once all listen
    smtp_test_servers.py stop DIR    stops them

aiosmtpd servers (raw bytes, decode_data=False) store what they accept in
DIR/<name>/N.eml with N.json beside it: the envelope, the HELO name and
what Python's email package (policy.default) reads from the message.
Scripted servers misbehave in ways aiosmtpd never does and note in
DIR/<name>/log what the client sent them. The submission and TLS servers
of tls_test_servers.py run in the same process.
"""
import asyncio
import hashlib
import json
import os
import signal
import sys
import threading
import time
from email import policy
from email.parser import BytesParser

from aiosmtpd.controller import Controller

import tls_test_servers


class Store:
    """Keeps every message, and answers as told."""

    def __init__(self, folder, data_reply="250 OK", rcpt_reply=None, delay=0):
        self.folder = folder
        self.data_reply = data_reply
        self.rcpt_reply = rcpt_reply
        self.delay = delay
        self.count = 0
        self.note = None  # set where the commands a server gets are noted
        os.makedirs(folder, exist_ok=True)

    async def handle_MAIL(self, server, session, envelope, address, mail_options):
        if self.note:
            self.note("MAIL")
        envelope.mail_from = address
        return "250 OK"

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if self.rcpt_reply:
            return self.rcpt_reply
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        if self.delay:
            await asyncio.sleep(self.delay)
        if not self.data_reply.startswith("250"):
            return self.data_reply
        # The first free number: a test may have emptied the folder.
        self.count = 1
        while os.path.exists(os.path.join(self.folder, "%d.eml" % self.count)):
            self.count += 1
        base = os.path.join(self.folder, str(self.count))
        with open(base + ".eml", "wb") as out:
            out.write(envelope.content)
        with open(base + ".json.part", "w") as out:
            json.dump(summary(server, session, envelope), out, indent=1)
        os.replace(base + ".json.part", base + ".json")
        return self.data_reply


def summary(server, session, envelope):
    message = BytesParser(policy=policy.default).parsebytes(envelope.content)
    text = message.get_body(preferencelist=("plain",))
    files = []
    for part in message.iter_attachments():
        content = part.get_content()
        files.append({"filename": part.get_filename(), "size": len(content),
                      "head": content[:16].hex(), "tail": content[-16:].hex(),
                      "sha256": hashlib.sha256(content).hexdigest()})
    headers = {name: str(message[name]) for name in
               ("From", "To", "Cc", "Subject", "Date", "Reply-To", "X-Mailer", "Message-ID")
               if message[name]}
    secure = server.transport.get_extra_info("ssl_object")
    return {"helo": session.host_name, "mail_from": envelope.mail_from,
            "rcpt_tos": envelope.rcpt_tos, "headers": headers,
            "text": text.get_content() if text is not None else None,
            "attachments": files, "defects": [str(d) for d in message.defects],
            "tls": secure.version() if secure else None}


async def scripted(reader, writer, name, folder):
    """A server that says what its name asks for."""
    log = open(os.path.join(folder, "log"), "wb", buffering=0)  # the last connection's

    async def line():
        got = await reader.readline()
        log.write(got)
        return got

    async def say(*pieces, gap=0.0):
        for piece in pieces:
            writer.write(piece)
            await writer.drain()
            if gap:
                await asyncio.sleep(gap)

    try:
        if name == "split":
            greeting = b"220-first line\r\n220 ready\r\n"
            await say(*[bytes([b]) for b in greeting], gap=0.01)
            await line()
            await say(b"25", b"0-hi\r\n250", b" ok\r\n", gap=0.05)
            if (await line()).startswith(b"QUIT"):
                await say(b"221 bye\r\n")
        elif name == "busy":
            await say(b"421 busy\r\n")
            await asyncio.wait_for(line(), 2)
        elif name == "silent":
            await asyncio.sleep(60)
        elif name == "cut":
            await say(b"220-hel")
        elif name == "endless":
            await say(b"x" * (1 << 20))
            await asyncio.sleep(30)
        elif name in ("letters", "digit", "four"):
            await say({"letters": b"25x ok\r\n", "digit": b"2\r\n", "four": b"2500 ok\r\n"}[name])
            await asyncio.sleep(5)
        elif name == "stall":
            await say(b"220 ready\r\n")
            for reply in (b"250 hi\r\n", b"250 ok\r\n", b"250 ok\r\n", b"354 go\r\n"):
                await line()
                await say(reply)
            # Reads nothing more until the client gives up, then looks
            # whether the data was ever ended.
            await asyncio.sleep(8)
            try:
                rest = await reader.read()
            except ConnectionError:  # a client that closed with data unread resets
                rest = b""
            log.write(b"END SEEN\r\n" if b"\r\n.\r\n" in rest else b"NO END\r\n")
    except (ConnectionError, asyncio.TimeoutError, asyncio.IncompleteReadError):
        pass
    finally:
        log.close()
        writer.close()


AIOSMTPD = {  # name: (address, Store arguments, server arguments)
    "store": ("127.0.0.10", {}, {}),
    "refuse_rcpt": ("127.0.0.11", {"rcpt_reply": "550 no such user"}, {}),
    "refuse_data": ("127.0.0.12", {"data_reply": "554 rejected"}, {}),
    "small": ("127.0.0.13", {}, {"data_size_limit": 1000}),
    "slow": ("127.0.0.14", {"delay": 15}, {}),
}
SCRIPTED = {"split": "127.0.0.15", "busy": "127.0.0.16", "silent": "127.0.0.17",
            "cut": "127.0.0.18", "endless": "127.0.0.19", "letters": "127.0.0.20",
            "digit": "127.0.0.21", "four": "127.0.0.22", "stall": "127.0.0.23"}


def serve(folder):
    controllers = []
    for name, (address, store, server) in AIOSMTPD.items():
        controller = Controller(Store(os.path.join(folder, name), **store), hostname=address,
                                port=25, decode_data=False, **server)
        controller.start()
        controllers.append(controller)
    loop = asyncio.new_event_loop()

    async def scripted_servers():
        for name, address in SCRIPTED.items():
            os.makedirs(os.path.join(folder, name), exist_ok=True)
            await asyncio.start_server(
                lambda r, w, n=name: scripted(r, w, n, os.path.join(folder, n)), address, 25)

    loop.run_until_complete(scripted_servers())
    controllers += tls_test_servers.start_servers(folder, Store, loop)
    threading.Thread(target=loop.run_forever, daemon=True).start()
    with open(os.path.join(folder, "ready"), "w") as out:
        out.write(str(os.getpid()))
    signal.sigwait([signal.SIGTERM])
    for controller in controllers:
        controller.stop()


def start(folder):
    stop(folder)
    os.makedirs(folder, exist_ok=True)
    ready = os.path.join(folder, "ready")
    if os.fork() == 0:
        os.setsid()
        signal.pthread_sigmask(signal.SIG_BLOCK, [signal.SIGTERM])
        # Nothing of the caller's stays open here: CTest waits for its
        # test's output to close before it goes on.
        devnull = os.open(os.devnull, os.O_RDWR)
        errors = os.open(os.path.join(folder, "errors.log"), os.O_WRONLY | os.O_CREAT, 0o644)
        for fd, to in ((0, devnull), (1, devnull), (2, errors)):
            os.dup2(to, fd)
        os.closerange(3, os.sysconf("SC_OPEN_MAX"))
        serve(folder)
        os._exit(0)
    for _ in range(100):
        if os.path.exists(ready):
            return
        time.sleep(0.1)
    sys.exit("smtp_test_servers: the servers did not start")


def stop(folder):
    ready = os.path.join(folder, "ready")
    if os.path.exists(ready):
        try:
            os.kill(int(open(ready).read()), signal.SIGTERM)
        except (ProcessLookupError, ValueError):
            pass
        os.remove(ready)
    if os.path.isdir(folder):
        for root, dirs, files in os.walk(folder, topdown=False):
            for name in files:
                os.remove(os.path.join(root, name))
            for name in dirs:
                os.rmdir(os.path.join(root, name))


if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] not in ("start", "stop"):
        sys.exit("usage: smtp_test_servers.py start|stop DIR")
    (start if sys.argv[1] == "start" else stop)(sys.argv[2])
