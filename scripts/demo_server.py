"""A small local FTP server for trying the program out: user "demo", password
"demo", serving a freshly created folder of a few files and sub-folders.

    /usr/bin/python3 scripts/demo_server.py --root build/windows/demo/server

Listens on 127.0.0.1:2121 unless told otherwise; --port 0 takes any free port
and --port-file names a file that receives the port once the server listens.
Stops on SIGTERM or Ctrl+C.
"""
import argparse
import logging
import os
import shutil
import signal
import sys
import struct
import zlib

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

USER = "demo"
PASSWORD = "demo"


def png_bytes(width, height, seed):
    """A small picture of coloured noise, so that sizes come out in kilobytes."""
    state = seed
    rows = []
    for y in range(height):
        row = bytearray([0])
        for x in range(width):
            state = (state * 1103515245 + 12345) & 0x7FFFFFFF
            row += bytes(((x * 4 + (state >> 16)) & 0xFF, (y * 5) & 0xFF, (state >> 8) & 0xFF))
        rows.append(bytes(row))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))


def text_lines(title, count):
    lines = [title, "=" * len(title), ""]
    lines += [f"Line {i:03d}: sample content for trying out transfers." for i in range(1, count + 1)]
    return ("\r\n".join(lines) + "\r\n").encode("ascii")


# Names without blanks: WinINet under Wine cuts a listed name at its first blank.
SERVER_TREE = {
    "Welcome.txt": ("Welcome to the demo FTP server.\r\n"
                    "Drag files between the two lists, or select them and press the transfer button.\r\n"
                    ).encode("ascii"),
    "Prices.csv": text_lines("Item;Price", 40),
    "Documents/Report-2024.txt": text_lines("Report 2024", 120),
    "Documents/Notes/Ideas.txt": text_lines("Ideas", 8),
    "Photos/Harbour.png": png_bytes(64, 48, 7),
    "Photos/Mountains.png": png_bytes(80, 60, 11),
    "Website/index.html": b"<!DOCTYPE html>\r\n<title>Demo</title>\r\n<h1>Hello from the demo site</h1>\r\n",
    "Website/style.css": b"body { font-family: sans-serif; }\r\n",
}


def create_tree(root, tree):
    """Writes the files of tree (relative path -> bytes) below a fresh root."""
    shutil.rmtree(root, ignore_errors=True)
    for relative, data in tree.items():
        path = os.path.join(root, *relative.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
    os.makedirs(root, exist_ok=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", required=True, help="folder to serve; recreated with the demo files")
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=2121)
    parser.add_argument("--port-file", help="file that receives the port once the server listens")
    parser.add_argument("--log", help="log file (default: standard error)")
    args = parser.parse_args()

    root = os.path.abspath(args.root)
    create_tree(root, SERVER_TREE)

    logging.basicConfig(filename=args.log, filemode="w", level=logging.INFO,
                        format="%(asctime)s %(message)s")

    authorizer = DummyAuthorizer()
    authorizer.add_user(USER, PASSWORD, root, perm="elradfmwMT")
    handler = FTPHandler
    handler.authorizer = authorizer
    handler.banner = "Velmo FTP Tandril demo server"
    # Listings in the log too, so that a run shows what the program asked for.
    handler.log_cmds_list = FTPHandler.log_cmds_list + ["LIST", "NLST", "MLSD", "PORT", "EPRT"]

    try:
        server = FTPServer((args.host, args.port), handler)
    except OSError as e:
        print(f"The demo FTP server cannot listen on {args.host}:{args.port}: {e.strerror or e}", file=sys.stderr)
        return 1
    port = server.socket.getsockname()[1]
    if args.port_file:
        with open(args.port_file + ".part", "w") as f:
            f.write(f"{port}\n")
        os.replace(args.port_file + ".part", args.port_file)

    # serve_forever ends cleanly on SystemExit as well as on Ctrl+C.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    server.serve_forever(handle_exit=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
