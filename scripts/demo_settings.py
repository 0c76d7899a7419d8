"""Gives the program in a Wine prefix a settings copy whose server profile
points at the demo FTP server and whose local folder is a demo folder, so that
both panes are filled at the first start.

The copy is written where the program looks for it,
%APPDATA%\\Velmo\\<Product ID>\\<Version>\\config.ini, made from the settings
template beside the program. A copy the user already has is left alone unless
its server profile was never set (or --force is given).

    WINEPREFIX=... /usr/bin/python3 scripts/demo_settings.py --program-folder build/windows/bin \\
        --server ftp://127.0.0.1:2121 --user demo --password demo --local-folder build/windows/demo/local
"""
import argparse
import os
import re
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
KEY_SOURCE = os.path.join(ROOT, "src", "settings", "StoredValue.cpp")
UNSET = "---"
SHELL_FOLDERS = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders"


class SettingsError(Exception):
    pass


def read_builtin_key(source=KEY_SOURCE):
    """The program's built-in key for stored values, read from its source so
    that this copy of the encoding can never drift from the program's."""
    try:
        with open(source, encoding="utf-8") as f:
            text = f.read()
    except OSError as e:
        raise SettingsError(f"cannot read the stored value key from {source}: {e.strerror}")
    found = re.findall(r'kKey\[\]\s*=\s*L?"([^"]*)"', text)
    if len(found) != 1 or not re.fullmatch(r"\d{4}[a-z]\d{2}", found[0]):
        raise SettingsError(f"{source} holds no key of four digits, a lower-case letter and two digits")
    return found[0]


def encode_stored_value(text, key):
    """The program's password encoding: printable ASCII is shifted by the key
    stream, anything else is kept after the marker "x$%". The key position is
    the position in the encoded text, marker characters included."""
    data = text.encode("utf-16-le", "surrogatepass")
    codes = []
    for unit in (int.from_bytes(data[i:i + 2], "little") for i in range(0, len(data), 2)):
        if 32 <= unit <= 126:
            codes.append((unit + ord(key[len(codes) % len(key)])) & 0xFFFF)
        else:
            codes.extend(ord(m) for m in "x$%")
            codes.append(unit)
    return "".join(chr(c) for c in codes)


def read_lines(path):
    """Lines of an 8-bit settings file: each byte is the character of that code."""
    with open(path, "rb") as f:
        data = f.read().decode("latin-1")
    lines = data.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    return [line[:-1] if line.endswith("\r") else line for line in lines]


def write_lines(path, lines):
    try:
        data = "".join(line + "\r\n" for line in lines).encode("latin-1")
    except UnicodeEncodeError:
        raise SettingsError("a settings value holds a character the 8-bit settings file cannot store")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path + ".part", "wb") as f:
        f.write(data)
    os.replace(path + ".part", path)


def read_setting(lines, key):
    """The value after the last occurrence of key, or the empty text."""
    value = ""
    i = 0
    while i < len(lines):
        if lines[i] == key:
            value = lines[i + 1] if i + 1 < len(lines) else ""
            i += 2
        else:
            i += 1
    return value


def set_setting(lines, key, value):
    """Replaces the value after every occurrence of key; the key must be there."""
    found = False
    i = 0
    while i < len(lines):
        if lines[i] == key:
            found = True
            if i + 1 < len(lines):
                lines[i + 1] = value
            else:
                lines.append(value)
            i += 2
        else:
            i += 1
    if not found:
        raise SettingsError(f'the settings template has no key "{key}"')


def windows_path(path):
    """Wine shows the Linux root as drive Z:."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def unix_path(win_path, prefix=None):
    """The Linux path of a drive path inside a Wine prefix, through the
    prefix's drive links (dosdevices/c: and so on)."""
    prefix = prefix or os.environ.get("WINEPREFIX") or os.path.expanduser("~/.wine")
    if len(win_path) < 2 or win_path[1] != ":":
        raise SettingsError(f"{win_path} is not a path on a drive")
    rest = win_path[2:].replace("\\", "/").lstrip("/")
    return os.path.join(prefix, "dosdevices", win_path[:2].lower(), rest)


def run_wine(args, env=None, timeout=120):
    """Runs a Windows program under Wine; returns (exit status, its output).
    The output goes through a file, not a pipe: Wine's helper processes
    inherit the handles and would keep a pipe open long after the program."""
    with tempfile.TemporaryFile() as out:
        status = subprocess.run(["wine"] + args, env=dict(env or os.environ, WINEDEBUG="-all"),
                                stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT,
                                timeout=timeout).returncode
        out.seek(0)
        return status, out.read().decode("utf-8", "replace")


def wine_shell_folders():
    """The Wine user's shell folders ("AppData", "Local AppData", "Programs",
    ...) as Linux paths, read from the registry as the program reads them."""
    try:
        _, output = run_wine(["reg", "query", SHELL_FOLDERS])
    except (OSError, subprocess.TimeoutExpired) as e:
        raise SettingsError(f"cannot read Wine's registry: {e}")
    folders = {}
    for line in output.splitlines():
        match = re.match(r"\s+(.+?)\s+REG_(?:EXPAND_)?SZ\s+(.+)$", line)
        if match:
            folders[match.group(1)] = unix_path(match.group(2).strip())
    if "AppData" not in folders:
        raise SettingsError("Wine's registry has no AppData shell folder; is WINEPREFIX prepared?")
    return folders


def user_settings_path(appdata, template_lines):
    product = read_setting(template_lines, "Product ID")
    version = read_setting(template_lines, "Version")
    if not product or not version:
        raise SettingsError('the settings template lacks "Product ID" or "Version"')
    return os.path.join(appdata, "Velmo", product, version, "config.ini")


# Names without blanks, so that they list the same on the demo server after an
# upload (WinINet under Wine cuts a listed name at its first blank).
DEMO_LOCAL_FILES = {
    "Holiday-plan.txt": b"Day 1: harbour\r\nDay 2: mountains\r\nDay 3: home\r\n",
    "Budget.csv": b"".join(b"Item %03d;%d.00\r\n" % (i, i * 7) for i in range(1, 80)),
    "Drawings/Sketch.txt": b"A drawing would go here.\r\n",
    "Letters/To-the-club.txt": b"Dear members,\r\nsee you on Friday.\r\n",
}


def make_demo_local_folder(folder):
    """A few files and sub-folders to upload; made only when the folder is missing,
    so that what the user put there survives the next run."""
    if os.path.isdir(folder):
        return
    for relative, data in DEMO_LOCAL_FILES.items():
        path = os.path.join(folder, *relative.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)


def prepare(program_folder, server, user, password, local_folder, force=False, appdata=None,
            language=None):
    """Writes the user's settings copy; returns (path, written)."""
    template = os.path.join(program_folder, "config.ini")
    if not os.path.isfile(template):
        raise SettingsError(f"the settings template {template} is missing; build the program first")
    template_lines = read_lines(template)
    path = user_settings_path(appdata or wine_shell_folders()["AppData"], template_lines)

    if os.path.isfile(path) and not force and read_setting(read_lines(path), "FTP Data") != UNSET:
        return path, False

    for value in (server, user):
        if "*" in value:
            raise SettingsError(f'"{value}" holds "*", which separates the fields of the stored profile')
    make_demo_local_folder(local_folder)
    lines = list(template_lines)
    set_setting(lines, "FTP Data", f"{server}*{user}*")
    set_setting(lines, "Powersetting 2000", encode_stored_value(password, read_builtin_key()))
    set_setting(lines, "Local Folder Data", windows_path(local_folder))
    if language:
        set_setting(lines, "Language", language)
    write_lines(path, lines)
    return path, True


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program-folder", required=True, help="folder of FTPTandril.exe and its config.ini")
    parser.add_argument("--server", default="ftp://127.0.0.1:2121")
    parser.add_argument("--user", default="demo")
    parser.add_argument("--password", default="demo")
    parser.add_argument("--local-folder", required=True, help="Linux path of the local folder to show")
    parser.add_argument("--language", help='language section to show, such as "[1033]"')
    parser.add_argument("--force", action="store_true", help="replace an existing settings copy")
    args = parser.parse_args()
    try:
        path, written = prepare(args.program_folder, args.server, args.user, args.password,
                                args.local_folder, args.force, language=args.language)
    except SettingsError as e:
        print(f"demo settings: {e}", file=sys.stderr)
        return 1
    if written:
        print(f"Settings: {path} now points at {args.server} (user {args.user}).")
    else:
        print(f"Settings: keeping your own {path}.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
