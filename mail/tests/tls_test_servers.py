"""Submission and implicit-TLS servers for the mail tests, started with the
plain ones by smtp_test_servers.py. Each listens behind a recording relay
on 127.0.0.N:587 or :465 (the relay keeps every byte the client sent in
DIR/<name>/relay.bin), with certificates made once per build folder by
openssl: a test CA the tests trust, a second CA nobody trusts, and server
certificates for localhost and the addresses in use.

What each server was asked is noted in DIR/<name>/commands: "AUTH
<mechanism> <user> ok|refused" and "MAIL".
"""
import asyncio
import os
import ssl
import subprocess

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult

USER = "kz8user"
PASSWORD = "p\u00e4ssw\u00f6rd-\u03a9"  # not ASCII: it must go out as UTF-8
TYPED_PASSWORD = "kz8-typed-1"  # what the prompt tests type
BACKEND_OFFSET = 10000  # the server itself listens here above the relay's port

# name: (address, port, certificate, server arguments)
SERVERS = {
    "submission": ("127.0.0.30", 587, "main", {}),
    "implicit": ("127.0.0.30", 465, "main", {}),
    "submission12": ("127.0.0.31", 587, "main", {"tls": "1.2"}),
    "implicit12": ("127.0.0.31", 465, "main", {"tls": "1.2"}),
    "login_only": ("127.0.0.32", 587, "main", {"exclude": ["PLAIN"]}),
    "untrusted": ("127.0.0.33", 587, "untrusted", {}),
    "wrong_address": ("127.0.0.9", 587, "ip_one", {}),
    "localhost": ("127.0.0.1", 587, "main", {}),
    "wrong_name": ("127.0.0.1", 465, "other_name", {}),
    "clear_auth": ("127.0.0.35", 587, None, {}),
    "refusing": ("127.0.0.36", 587, "main", {}),
    "plain2525": ("127.0.0.38", 2525, None, {"plain": True}),
    "requires_tls": ("127.0.0.39", 25, "main", {"plain_port_requires_tls": True}),
    "stored_login": ("127.0.0.40", 587, "main", {}),
    "prompted": ("127.0.0.41", 587, "main", {"password": TYPED_PASSWORD}),
    "prompt_cancel": ("127.0.0.42", 587, "main", {}),
    "prompt_again": ("127.0.0.43", 465, "main", {"password": TYPED_PASSWORD}),
    "bench": ("127.0.0.44", 587, "main", {}),
}
INJECTING = ("127.0.0.37", 587)  # STARTTLS answered with plaintext after the 220


def make_certificates(folder):
    """The CAs and server certificates, once: the Wine prefix keeps the
    test CA, so it stays the same for a build folder."""
    if os.path.exists(os.path.join(folder, "done")):
        return
    os.makedirs(folder, exist_ok=True)

    def run(*args):
        subprocess.run(["openssl", *args], cwd=folder, check=True, capture_output=True)

    for ca in ("ca", "other_ca"):
        run("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", ca + ".key",
            "-out", ca + ".pem", "-days", "3650", "-subj", "/CN=KZ8 test " + ca,
            "-addext", "basicConstraints=critical,CA:TRUE",
            "-addext", "keyUsage=critical,keyCertSign,cRLSign")
    run("x509", "-in", "ca.pem", "-outform", "der", "-out", "ca.der")
    addresses = ",".join("IP:" + address for address, _, _, _ in SERVERS.values()
                         if address != "127.0.0.9")
    names = {"main": ("ca", "DNS:localhost," + addresses),
             "untrusted": ("other_ca", "DNS:localhost," + addresses),
             "other_name": ("ca", "DNS:mail.example.com"),
             "ip_one": ("ca", "IP:127.0.0.1")}
    for name, (ca, alternative) in names.items():
        with open(os.path.join(folder, name + ".ext"), "w") as out:
            out.write("basicConstraints=CA:FALSE\nextendedKeyUsage=serverAuth\n"
                      "subjectAltName=" + alternative + "\n")
        run("req", "-newkey", "rsa:2048", "-nodes", "-keyout", name + ".key", "-out",
            name + ".csr", "-subj", "/CN=" + name)
        run("x509", "-req", "-in", name + ".csr", "-CA", ca + ".pem", "-CAkey", ca + ".key",
            "-CAcreateserial", "-days", "825", "-extfile", name + ".ext", "-out", name + ".pem")
        run("x509", "-in", name + ".pem", "-outform", "der", "-out", name + ".der")
    open(os.path.join(folder, "done"), "w").close()


def context(certificates, name, version):
    made = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    made.load_cert_chain(os.path.join(certificates, name + ".pem"),
                         os.path.join(certificates, name + ".key"))
    made.minimum_version = ssl.TLSVersion.TLSv1_2
    if version == "1.2":
        made.maximum_version = ssl.TLSVersion.TLSv1_2
    return made


def noting(folder):
    def note(line):
        with open(os.path.join(folder, "commands"), "a") as out:
            out.write(line + "\n")
    return note


def authenticator(note, password=PASSWORD):
    def check(server, session, envelope, mechanism, auth_data):
        user = auth_data.login.decode("utf-8", "replace")
        good = user == USER and auth_data.password == password.encode("utf-8")
        note("AUTH %s %s %s" % (mechanism, user, "ok" if good else "refused"))
        return AuthResult(success=good, handled=False)  # aiosmtpd answers 535 itself
    return check


async def relay(address, port, folder):
    """Passes bytes both ways and keeps what the client sent."""
    async def pump(reader, writer, record=None):
        try:
            while data := await reader.read(65536):
                if record:
                    record.write(data)
                writer.write(data)
                await writer.drain()
        except (ConnectionError, asyncio.CancelledError):
            pass
        finally:
            writer.close()

    async def connection(client_reader, client_writer):
        try:
            server_reader, server_writer = await asyncio.open_connection(
                address, port + BACKEND_OFFSET)
        except ConnectionError:
            client_writer.close()
            return
        with open(os.path.join(folder, "relay.bin"), "ab", buffering=0) as record:
            await asyncio.gather(pump(client_reader, server_writer, record),
                                 pump(server_reader, client_writer))

    await asyncio.start_server(connection, address, port)


async def injecting(reader, writer, folder):
    log = open(os.path.join(folder, "log"), "wb", buffering=0)
    try:
        writer.write(b"220 ready\r\n")
        while line := await reader.readline():
            log.write(line)
            if line.upper().startswith(b"EHLO"):
                writer.write(b"250-hi\r\n250 STARTTLS\r\n")
            elif line.upper().startswith(b"STARTTLS"):
                writer.write(b"220 go\r\n250-hi\r\n250 AUTH PLAIN\r\n")
            else:
                writer.write(b"221 bye\r\n")
            await writer.drain()
    except ConnectionError:
        pass
    finally:
        log.close()
        writer.close()


def start_servers(folder, store_type, loop):
    """The aiosmtpd controllers (returned, to be stopped) and, on loop, the
    relays and the injecting server."""
    certificates = os.path.join(os.path.dirname(os.path.abspath(folder)), "smtp-certificates")
    make_certificates(certificates)
    controllers = []
    for name, (address, port, certificate, options) in SERVERS.items():
        where = os.path.join(folder, name)
        store = store_type(where)
        note = noting(where)
        store.note = note
        arguments = {"decode_data": False}
        checker = authenticator(note, options.get("password", PASSWORD))
        behind_relay = not options.get("plain") and not options.get("plain_port_requires_tls")
        if options.get("plain"):
            pass
        elif certificate is None:  # AUTH offered in the clear, no STARTTLS
            arguments.update(auth_require_tls=False, authenticator=checker)
        elif port == 465:
            # aiosmtpd counts only STARTTLS as encryption; here all of it is.
            arguments.update(ssl_context=context(certificates, certificate, options.get("tls")),
                             authenticator=checker, auth_required=True,
                             auth_require_tls=False)
        else:
            arguments.update(tls_context=context(certificates, certificate, options.get("tls")),
                             require_starttls=True, authenticator=checker,
                             auth_required=not options.get("plain_port_requires_tls"))
        if options.get("exclude"):
            arguments["auth_exclude_mechanism"] = options["exclude"]
        controller = Controller(store, hostname=address,
                                port=port + BACKEND_OFFSET if behind_relay else port, **arguments)
        controller.start()
        controllers.append(controller)
        if behind_relay:
            loop.run_until_complete(relay(address, port, where))
    where = os.path.join(folder, "injecting")
    os.makedirs(where, exist_ok=True)
    loop.run_until_complete(asyncio.start_server(
        lambda r, w: injecting(r, w, where), *INJECTING))
    return controllers
