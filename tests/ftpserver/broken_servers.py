#!/usr/bin/python3
"""Listeners that behave like broken or overloaded FTP servers, for the tests
of the program's time limit and failure reasons. Each takes its own port:
  --silent PORT   accepts connections and never sends a byte
  --hangup PORT   sends its greeting and closes the connection at once
  --busy PORT     greets, then answers every command with 421
Runs until it receives SIGTERM.
"""

import argparse
import signal
import socket
import sys
import threading


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
        connection.sendall(b"220 Test server ready.\r\n")
        for _ in connection.makefile("rb"):
            connection.sendall(b"421 Too many connections.\r\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--silent", type=int, required=True)
    parser.add_argument("--hangup", type=int, required=True)
    parser.add_argument("--busy", type=int, required=True)
    arguments = parser.parse_args()
    for port, handle in ((arguments.silent, silent), (arguments.hangup, hangup), (arguments.busy, busy)):
        threading.Thread(target=serve, args=(port, handle), daemon=True).start()
    signal.signal(signal.SIGTERM, lambda signum, frame: sys.exit(0))
    signal.pause()
    return 0


if __name__ == "__main__":
    sys.exit(main())
