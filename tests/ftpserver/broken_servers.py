#!/usr/bin/python3
"""Listeners that behave like broken or overloaded FTP servers, for the tests
of the program's time limit and failure reasons. Each takes its own port:
  --silent PORT   accepts connections and never sends a byte
  --hangup PORT   sends its greeting and closes the connection at once
  --busy PORT     refuses at its greeting with 421 and closes the connection,
                  as a server with too many users does
  --stall PORT    logs anyone in, then stalls in the middle of every transfer:
                  RETR sends 1 MiB and then nothing, STOR takes 1 MiB and then
                  reads no more, each until the client closes the data
                  connection (or a minute passed); DELE works
  --broken PORT   logs anyone in; LIST sends two lines and then answers
                  "426 ... aborted"; STOR takes the whole file and then closes
                  the control connection without its final reply
Runs until it receives SIGTERM.
"""

import argparse
import signal
import socket
import sys
import threading
import time

STALL_AFTER = 1024 * 1024
STALL_SECONDS = 60


def serve(port, handle):
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", port))
    listener.listen(16)
    while True:
        connection, _ = listener.accept()
        threading.Thread(target=handle, args=(connection,), daemon=True).start()


def silent(connection, kept=[]):
    # Kept open, so that the client waits for a greeting that never comes.
    kept.append(connection)


def hangup(connection):
    connection.sendall(b"220 Test server ready.\r\n")
    connection.close()


def busy(connection):
    with connection:
        connection.sendall(b"421 Too many connections.\r\n")


def wait_for_close(data):
    """Holds the data connection open, sending and reading nothing, until
    the client closes it."""
    data.settimeout(STALL_SECONDS)
    deadline = time.monotonic() + STALL_SECONDS
    try:
        while time.monotonic() < deadline:
            if not data.recv(65536, socket.MSG_PEEK):
                return
            time.sleep(0.05)  # unread data waits in the buffer: the client's sends stall
    except OSError:
        pass


LISTED = (b"-rw-r--r--   1 ftp ftp  5 Jan 01 2024 first.txt\r\n"
          b"-rw-r--r--   1 ftp ftp  6 Jan 01 2024 second.txt\r\n")


def read_all(data):
    while data.recv(65536):
        pass


def broken(connection):
    stall(connection, broken=True)


def stall(connection, broken=False):
    with connection:
        replies = connection.makefile("rb")
        connection.sendall(b"220 Test server ready.\r\n")
        passive = None
        for line in replies:
            words = line.decode("latin-1").strip().split(" ", 1)
            verb = words[0].upper()
            if verb in ("USER",):
                answer = "331 Password required."
            elif verb in ("PASS",):
                answer = "230 Logged in."
            elif verb == "PWD":
                answer = '257 "/" is the current directory.'
            elif verb in ("CWD", "TYPE", "DELE", "NOOP", "RNTO"):
                answer = "250 OK."
            elif verb == "RNFR":
                answer = "350 Ready for the new name."
            elif verb == "PASV":
                passive = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
                passive.bind(("127.0.0.1", 0))
                passive.listen(1)
                port = passive.getsockname()[1]
                answer = "227 Entering Passive Mode (127,0,0,1,%d,%d)." % (port // 256, port % 256)
            elif broken and verb in ("LIST", "STOR") and passive:
                connection.sendall(b"150 Opening data connection.\r\n")
                data, _ = passive.accept()
                with data:
                    data.sendall(LISTED) if verb == "LIST" else read_all(data)
                passive.close()
                passive = None
                if verb == "STOR":
                    return  # the control connection closes without a final reply
                answer = "426 Connection closed; transfer aborted."
            elif verb in ("RETR", "STOR") and passive:
                connection.sendall(b"150 Opening data connection.\r\n")
                data, _ = passive.accept()
                with data:
                    if verb == "RETR":
                        data.sendall(b"s" * STALL_AFTER)
                    else:
                        taken = 0
                        while taken < STALL_AFTER:
                            chunk = data.recv(min(65536, STALL_AFTER - taken))
                            if not chunk:
                                break
                            taken += len(chunk)
                    wait_for_close(data)
                passive.close()
                passive = None
                answer = "426 Transfer aborted."
            elif verb == "QUIT":
                connection.sendall(b"221 Bye.\r\n")
                return
            else:
                answer = "502 Not implemented."
            connection.sendall((answer + "\r\n").encode("latin-1"))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--silent", type=int, required=True)
    parser.add_argument("--hangup", type=int, required=True)
    parser.add_argument("--busy", type=int, required=True)
    parser.add_argument("--stall", type=int, required=True)
    parser.add_argument("--broken", type=int, required=True)
    arguments = parser.parse_args()
    for port, handle in ((arguments.silent, silent), (arguments.hangup, hangup), (arguments.busy, busy),
                         (arguments.stall, stall), (arguments.broken, broken)):
        threading.Thread(target=serve, args=(port, handle), daemon=True).start()
    signal.signal(signal.SIGTERM, lambda signum, frame: sys.exit(0))
    signal.pause()
    return 0


if __name__ == "__main__":
    sys.exit(main())
