#!/usr/bin/python3
"""The FTP server the Windows tests and the benchmark talk to.

Serves one root folder on 127.0.0.1 with three users (password "secret"):
  tandril  full rights, login directory = the root
  subuser  full rights, home = the root, but the login directory is /sub
  reader   read-only
Folders and files can refuse commands by their names, so that tests can
provoke failures a real server produces:
  a file whose name starts with "undeletable"  refuses DELE
  a file whose name starts with "broken"       breaks while RETR sends it:
      once its first 1 MiB (1048576 bytes) has reached the client, or its end
      when it is shorter, the data connection is reset (an abortive close,
      RST) and the transfer is answered 426; the control connection stays
      usable
  a folder named "noenter" (or anything below)  refuses CWD
  a folder named "nolist" (or anything below)   refuses LIST, NLST and MLSD
The log file receives one line per command received: "<user>\t<command line>"
(the password masked), flushed at once, so a benchmark can count commands.
--refuse-port and --refuse-pasv make the server refuse one transfer mode, the
way servers behind firewalls or with a mode switched off answer its commands;
--dead-pasv answers PASV and EPSV with a port where nothing listens, as a
server behind a firewall that drops its passive ports does.
--delay answers every command that many milliseconds late (a distant server;
each connection then has a thread of its own, so that delays overlap),
--read-limit takes uploads in at that many bytes a second (a slow line), and
--max-logins answers a user's further login with 421 while that many of
theirs are logged in.
"""

import argparse
import fcntl
import os
import signal
import socket
import struct
import sys
import termios
import time
import logging

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FileProducer, FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer, ThreadedFTPServer

PASSWORD = "secret"
FULL_PERMS = "elradfmwMT"
READ_PERMS = "elr"

# Real files whose names Windows would refuse or misread; the tests list and
# try to download them and must never delete them.
HOSTILE_NAMES = [
    "..\\evil.txt",
    "a:b",
    "x*y",
    "q?",
    "lt<gt>",
    'quote"d',
    "pipe|d",
    "CON",
    "nul.txt",
    "com1.log",
    "trail.",
    "trail ",
    "tab\tname",
    "ok.txt",
]

# How much of a "broken" file RETR sends before it resets the data connection.
BROKEN_AFTER = 1024 * 1024
# The longest wait for the client to take in what was sent before the reset.
BROKEN_DRAIN_SECONDS = 10


def wait_until_taken(sock, limit_seconds):
    """Waits until the peer has acknowledged every byte written to the socket
    (TIOCOUTQ answers 0), for at most limit_seconds. A reset throws away
    whatever is still queued, so without the wait the client would get an
    arbitrary part of the bytes sent."""
    deadline = time.monotonic() + limit_seconds
    while time.monotonic() < deadline:
        queued = struct.unpack("i", fcntl.ioctl(sock.fileno(), termios.TIOCOUTQ, b"\0" * 4))[0]
        if queued == 0:
            return
        time.sleep(0.001)


class FileWithoutDescriptor:
    """An open file that hides its descriptor, so that pyftpdlib sends it
    through the producer below rather than with sendfile(), which would
    pass the whole file to the kernel at once."""

    def __init__(self, file):
        self._file = file
        self.name = file.name

    def read(self, size):
        return self._file.read(size)

    @property
    def closed(self):
        return self._file.closed

    def close(self):
        self._file.close()


class BreakingProducer(FileProducer):
    """Produces the first `limit` bytes of a file, then calls `reset`.
    asynchat asks for more only once everything produced so far has been
    handed to the socket, so the reset comes after those bytes went out."""

    def __init__(self, file, transfer_type, limit, reset):
        super().__init__(file, transfer_type)
        self._left = limit
        self._reset = reset

    def more(self):
        data = self.file.read(min(self.buffer_size, self._left)) if self._left > 0 else b""
        if not data:
            self._reset()
            return b""
        self._left -= len(data)
        return self._data_wrapper(data) if self._data_wrapper else data


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--root", required=True)
    parser.add_argument("--log", required=True)
    parser.add_argument("--refuse-port", action="store_true", help="answer PORT and EPRT with 550")
    parser.add_argument("--refuse-pasv", action="store_true", help="answer PASV and EPSV with 550")
    parser.add_argument("--dead-pasv", action="store_true", help="answer PASV and EPSV with a closed port")
    parser.add_argument("--delay", type=int, default=0, help="milliseconds before every reply")
    parser.add_argument("--read-limit", type=int, default=0, help="bytes a second an upload is taken in at")
    parser.add_argument("--max-logins", type=int, default=0, help="logins of one user allowed at once")
    return parser.parse_args()


def prepare_root(root):
    os.makedirs(os.path.join(root, "sub"), exist_ok=True)
    hostile = os.path.join(root, "hostile")
    os.makedirs(hostile, exist_ok=True)
    for name in HOSTILE_NAMES:
        with open(os.path.join(hostile, name), "wb") as out:
            out.write(("content of " + name + "\n").encode("utf-8"))


def path_has_component(handler, path, name):
    """True when the real path lies in or below a folder called name."""
    relative = os.path.relpath(path, handler.fs.root)
    return name in relative.split(os.sep)


def closed_port():
    """A port of 127.0.0.1 where nothing listens (it was free a moment ago)."""
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def make_handler(log_file, refuse_port, refuse_pasv, delay_seconds, max_logins, dead_pasv=False):
    logins = {}  # user -> sessions logged in

    class TestHandler(FTPHandler):
        # True while RETR serves a file whose name starts with "broken".
        _breaking = False
        _counted = None

        def ftp_PASS(self, line):
            if max_logins and logins.get(self.username, 0) >= max_logins:
                self.respond("421 Too many connections for this user.")
                self.close_when_done()
                return None
            return super().ftp_PASS(line)

        def on_disconnect(self):
            if self._counted:
                logins[self._counted] -= 1
                self._counted = None

        def respond(self, resp, logfun=logging.debug):
            if delay_seconds:
                time.sleep(delay_seconds)
            super().respond(resp, logfun)

        def pre_process_command(self, line, cmd, arg):
            shown = "PASS ******" if cmd == "PASS" else line
            log_file.write("%s\t%s\n" % (self.username or "-", shown))
            log_file.flush()
            super().pre_process_command(line, cmd, arg)

        def on_login(self, username):
            logins[username] = logins.get(username, 0) + 1
            self._counted = username
            if username == "subuser":
                self.fs.cwd = "/sub"

        def ftp_CWD(self, path):
            if path_has_component(self, path, "noenter"):
                self.respond("550 Entering this folder is not allowed.")
                return None
            return super().ftp_CWD(path)

        def ftp_DELE(self, path):
            if os.path.basename(path).startswith("undeletable"):
                self.respond("550 This file cannot be deleted.")
                return None
            return super().ftp_DELE(path)

        def ftp_RETR(self, file):
            self._breaking = os.path.basename(file).startswith("broken")
            try:
                return super().ftp_RETR(file)
            finally:
                self._breaking = False

        def push_dtp_data(self, data, isproducer=False, file=None, cmd=None):
            # pyftpdlib's RETR has opened the file (and honoured REST); a
            # broken file goes out through a producer that stops and resets.
            if self._breaking and cmd == "RETR":
                file = FileWithoutDescriptor(file)
                data = BreakingProducer(file, self._current_type, BROKEN_AFTER, self._reset_data_connection)
            super().push_dtp_data(data, isproducer, file, cmd)

        def _reset_data_connection(self):
            # SO_LINGER with a zero time makes close() send RST instead of FIN:
            # the client sees the connection break, not a short file. Closing
            # the channel with a reply set answers it on the control connection.
            # The wait blocks the server's loop briefly; the tests run one
            # transfer at a time.
            channel = self.data_channel
            if channel is None:
                return
            wait_until_taken(channel.socket, BROKEN_DRAIN_SECONDS)
            channel.socket.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
            channel._resp = ("426 Connection reset by the server; transfer aborted.", logging.debug)
            channel.close()

        def _refuse_listing(self, path):
            if path_has_component(self, path, "nolist"):
                self.respond("550 Listing this folder is not allowed.")
                return True
            return False

        def ftp_LIST(self, path):
            return None if self._refuse_listing(path) else super().ftp_LIST(path)

        def ftp_NLST(self, path):
            return None if self._refuse_listing(path) else super().ftp_NLST(path)

        def ftp_MLSD(self, path):
            return None if self._refuse_listing(path) else super().ftp_MLSD(path)

        def _refuse_mode(self, refused, mode):
            if refused:
                self.respond("550 %s mode is not allowed." % mode)
            return refused

        def ftp_PORT(self, line):
            return None if self._refuse_mode(refuse_port, "Active") else super().ftp_PORT(line)

        def ftp_EPRT(self, line):
            return None if self._refuse_mode(refuse_port, "Active") else super().ftp_EPRT(line)

        def ftp_PASV(self, line):
            if dead_pasv:
                port = closed_port()
                return self.respond("227 Entering passive mode (127,0,0,1,%d,%d)." % (port >> 8, port & 255))
            return None if self._refuse_mode(refuse_pasv, "Passive") else super().ftp_PASV(line)

        def ftp_EPSV(self, line):
            if dead_pasv:
                return self.respond("229 Entering extended passive mode (|||%d|)." % closed_port())
            return None if self._refuse_mode(refuse_pasv, "Passive") else super().ftp_EPSV(line)

    return TestHandler


def main():
    arguments = parse_arguments()
    root = os.path.abspath(arguments.root)
    prepare_root(root)

    authorizer = DummyAuthorizer()
    authorizer.add_user("tandril", PASSWORD, root, perm=FULL_PERMS)
    authorizer.add_user("subuser", PASSWORD, root, perm=FULL_PERMS)
    authorizer.add_user("reader", PASSWORD, root, perm=READ_PERMS)

    logging.basicConfig(level=logging.WARNING)
    log_file = open(arguments.log, "a", encoding="utf-8", errors="backslashreplace")

    handler = make_handler(log_file, arguments.refuse_port, arguments.refuse_pasv, arguments.delay / 1000.0,
                           arguments.max_logins, arguments.dead_pasv)
    if arguments.read_limit:
        handler.dtp_handler = ThrottledDTPHandler
        handler.dtp_handler.read_limit = arguments.read_limit
    handler.authorizer = authorizer
    # A wrong password is answered at once: the tests try several.
    handler.auth_failed_timeout = 0.01
    handler.banner = "Test FTP server ready."

    server_class = ThreadedFTPServer if arguments.delay else FTPServer
    server = server_class(("127.0.0.1", arguments.port), handler)
    server.max_cons = 0
    server.max_cons_per_ip = 0

    # SIGTERM ends the IO loop through SystemExit, which closes every channel.
    signal.signal(signal.SIGTERM, lambda signum, frame: sys.exit(0))
    try:
        server.serve_forever(handle_exit=True)
    finally:
        log_file.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
