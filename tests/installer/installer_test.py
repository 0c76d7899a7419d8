"""The setup and the help file, exercised as a user meets them: a silent
install into the test Wine prefix, the installed program started (first with
no settings, then with settings that point at a demo FTP server), a silent
uninstall, and the help file's page list read back with chmls.

Writes a GoogleTest-style XML report; exits non-zero when a case failed.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "scripts"))
import demo_settings  # noqa: E402
from report import Report  # noqa: E402

WINDOW_TITLE = "Velmo FTP Tandril 2"
MESSAGE_CAPTION = "Velmo FTP Tandril"
INSTALL_FOLDER = "Velmo FTP Tandril"
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmo FTP Tandril 2"
SHORTCUT = "Velmo FTP Tandril.lnk"
INSTALLED_FILES = ["FTPTandril.exe", "config.ini", "FTPTtrl.ini", "help.chm"]


class Failure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


class Wine:
    """Runs Windows programs in the test prefix, without menu entries on the host."""

    def __init__(self):
        overrides = os.environ.get("WINEDLLOVERRIDES", "")
        self.env = dict(os.environ, WINEDEBUG="-all",
                        WINEDLLOVERRIDES=";".join(filter(None, [overrides, "winemenubuilder.exe=d"])))

    def run(self, args, timeout=120):
        """(exit status, output) of a Windows program."""
        return demo_settings.run_wine(args, env=self.env, timeout=timeout)

    def start(self, args):
        return subprocess.Popen(["wine"] + args, env=self.env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def registry_values(self, key):
        """The values of a key as a dict, or None when the key is missing."""
        status, output = self.run(["reg", "query", key])
        if status != 0:
            return None
        values = {}
        for line in output.splitlines():
            match = re.match(r"\s+(.+?)\s+REG_\w+\s*(.*)$", line)
            if match:
                values[match.group(1)] = match.group(2).strip()
        return values


def window_viewable(title):
    info = subprocess.run(["xwininfo", "-name", title], capture_output=True, text=True)
    return info.returncode == 0 and "Map State: IsViewable" in info.stdout


def wait_until(predicate, seconds, step=0.2):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if predicate():
            return True
        time.sleep(step)
    return predicate()


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


class InstallerTest:
    def __init__(self, args):
        self.args = args
        self.wine = Wine()
        self.scratch = os.path.join(args.build, "installer-test")
        self.setup = os.path.join(args.build, "FTPTandril-2.00-setup.exe")
        self.folders = None
        self.install_dir = None
        self.settings_dir = None
        self.settings_backup = None
        self.settings_taken_over = False

    # Preparation and clean-up of the shared test prefix.

    def prepare(self):
        check(os.environ.get("DISPLAY"), "no X display (DISPLAY is empty)")
        self.folders = demo_settings.wine_shell_folders()
        for name in ("AppData", "Local AppData", "Programs"):
            check(name in self.folders, f'the test prefix has no "{name}" shell folder')
        self.install_dir = os.path.join(self.folders["Local AppData"], "Programs", INSTALL_FOLDER)
        # Other Windows tests of the run use the same prefix: their settings are
        # kept aside while this test needs a first start without any.
        self.settings_dir = os.path.join(self.folders["AppData"], "Velmo")
        self.settings_backup = os.path.join(self.folders["AppData"], "Velmo.kept-by-installer-test")
        if os.path.isdir(self.settings_backup):
            self.settings_taken_over = True  # left so by an interrupted run
            self.restore_settings()
        if os.path.isdir(self.settings_dir):
            os.rename(self.settings_dir, self.settings_backup)
        self.settings_taken_over = True
        shutil.rmtree(self.scratch, ignore_errors=True)
        os.makedirs(self.scratch)
        self.stop_program(force=True)
        shutil.rmtree(self.install_dir, ignore_errors=True)
        self.wine.run(["reg", "delete", UNINSTALL_KEY, "/f"])

    def restore_settings(self):
        """Puts back what the other tests had in the settings folder (nothing, or
        the kept copy), whatever this test left there."""
        if not self.settings_taken_over:
            return
        shutil.rmtree(self.settings_dir, ignore_errors=True)
        if os.path.isdir(self.settings_backup):
            os.rename(self.settings_backup, self.settings_dir)
        self.settings_taken_over = False

    def finish(self):
        self.stop_program(force=True)
        self.restore_settings()

    # The program.

    def start_program(self):
        check(not window_viewable(WINDOW_TITLE), f'a window "{WINDOW_TITLE}" is open before the start')
        process = self.wine.start([os.path.join(self.install_dir, "FTPTandril.exe")])
        # The program's message boxes carry its short name as caption; one at
        # start blocks the main window until it is answered.
        wait_until(lambda: window_viewable(WINDOW_TITLE) or window_viewable(MESSAGE_CAPTION)
                   or process.poll() is not None, 90)
        if window_viewable(WINDOW_TITLE):
            return process
        if window_viewable(MESSAGE_CAPTION):
            problem = f'a message box "{MESSAGE_CAPTION}" came up at the start instead of the window'
        elif process.poll() is not None:
            problem = f"the program ended with status {process.poll()} without showing its window"
        else:
            problem = f'the program showed no window "{WINDOW_TITLE}" within 90 s'
        self.stop_program(force=True, process=process)
        raise Failure(problem)

    def stop_program(self, force=False, process=None):
        """Closes the program as the close box does (WM_CLOSE), or ends it."""
        self.wine.run(["taskkill"] + (["/f"] if force else []) + ["/im", "FTPTandril.exe"])
        if process is None:
            return True
        try:
            process.wait(timeout=30)
            return True
        except subprocess.TimeoutExpired:
            self.wine.run(["taskkill", "/f", "/im", "FTPTandril.exe"])
            process.wait(timeout=30)
            return False

    def settings_file(self):
        template = demo_settings.read_lines(os.path.join(self.install_dir, "config.ini"))
        return demo_settings.user_settings_path(self.folders["AppData"], template)

    # The cases, in the order a user meets them.

    def silent_install(self):
        check(os.path.isfile(self.setup), f"the setup {self.setup} was not built")
        status, _ = self.wine.run([self.setup, "/S"])
        check(status == 0, f"the silent setup ended with status {status}")
        for name in INSTALLED_FILES:
            installed = os.path.join(self.install_dir, name)
            check(os.path.isfile(installed), f"{name} is not installed in {self.install_dir}")
            check(read_bytes(installed) == read_bytes(os.path.join(self.args.program_folder, name)),
                  f"the installed {name} differs from the built one")
        temp = os.path.join(self.install_dir, "temp")
        check(os.path.isdir(temp) and not os.listdir(temp), "the installation has no empty folder temp")
        check(os.path.isfile(os.path.join(self.install_dir, "uninstall.exe")), "no uninstall.exe is installed")

    def shortcut_and_uninstall_entry(self):
        check(os.path.isfile(os.path.join(self.folders["Programs"], SHORTCUT)),
              f"no Start menu shortcut {SHORTCUT} for this user")
        values = self.wine.registry_values(UNINSTALL_KEY)
        check(values is not None, f"the uninstaller is not registered under {UNINSTALL_KEY}")
        check(values.get("DisplayName") == WINDOW_TITLE, f"DisplayName is {values.get('DisplayName')!r}")
        uninstaller = values.get("UninstallString", "").strip('"')
        check(uninstaller.lower().endswith("\\programs\\velmo ftp tandril\\uninstall.exe"),
              f"UninstallString {uninstaller!r} does not name the installed uninstall.exe")
        check(os.path.isfile(demo_settings.unix_path(uninstaller)), f"{uninstaller} does not exist")

    def first_start_creates_settings(self):
        process = self.start_program()
        settings = self.settings_file()
        created = os.path.isfile(settings)
        same = created and read_bytes(settings) == read_bytes(os.path.join(self.install_dir, "config.ini"))
        closed = self.stop_program(process=process)
        check(created, f"the first start did not create the settings copy {settings}")
        check(same, "the settings copy made at the first start differs from the template beside the program")
        check(closed, "the program did not end on WM_CLOSE within 30 s")

    def start_lists_demo_server(self):
        demo = os.path.join(self.scratch, "demo")
        port_file = os.path.join(demo, "server.port")
        log = os.path.join(demo, "server.log")
        os.makedirs(demo)
        server = subprocess.Popen(["/usr/bin/python3", os.path.join(HERE, "..", "..", "scripts", "demo_server.py"),
                                   "--root", os.path.join(demo, "server"), "--port", "0",
                                   "--port-file", port_file, "--log", log])
        try:
            check(wait_until(lambda: os.path.isfile(port_file) or server.poll() is not None, 20)
                  and server.poll() is None, "the demo FTP server did not start")
            with open(port_file) as f:
                port = int(f.read())
            local = os.path.join(demo, "local")
            demo_settings.prepare(self.install_dir, f"ftp://127.0.0.1:{port}", "demo", "demo",
                                  local, force=True, appdata=self.folders["AppData"])
            try:
                process = self.start_program()
            except Failure as e:
                with open(log) as f:
                    raise Failure(f"{e}; the demo server saw:\n{f.read()}")
            # The first listing runs off the window thread and may end after the window shows.
            wait_until(lambda: re.search(rb"\[demo\] (LIST|NLST|MLSD) ", read_bytes(log)), 30)
            server_log = read_bytes(log).decode()
            closed = self.stop_program(process=process)
        finally:
            server.terminate()
            server.wait(timeout=30)
        check("[demo] USER 'demo' logged in." in server_log,
              "the program did not log in to the demo server with the stored profile:\n" + server_log)
        check(re.search(r"\[demo\] (LIST|NLST|MLSD) ", server_log),
              "the program logged in but did not list the folder:\n" + server_log)
        check(closed, "the program did not end on WM_CLOSE within 30 s")
        saved = demo_settings.read_lines(self.settings_file())
        check(demo_settings.read_setting(saved, "Local Folder Data") == demo_settings.windows_path(local),
              "the local pane did not show the stored folder: the close saved "
              + repr(demo_settings.read_setting(saved, "Local Folder Data")))
        check(demo_settings.read_setting(saved, "FTP Data") == f"ftp://127.0.0.1:{port}*demo*",
              "the close saved the profile " + repr(demo_settings.read_setting(saved, "FTP Data")))

    def silent_uninstall(self):
        settings = self.settings_file()
        kept = read_bytes(settings) if os.path.isfile(settings) else None
        check(kept is not None, f"no settings copy {settings} to watch over the uninstall")
        status, _ = self.wine.run([os.path.join(self.install_dir, "uninstall.exe"), "/S"])
        check(status == 0, f"the silent uninstall ended with status {status}")
        # The uninstaller runs from a copy of itself, so that it can delete its
        # own file; the call returns before the work is done.
        if not wait_until(lambda: not os.path.exists(self.install_dir), 60, step=0.5):
            raise Failure(f"the uninstall left {self.install_dir} with {sorted(os.listdir(self.install_dir))}")
        check(not os.path.exists(os.path.join(self.folders["Programs"], SHORTCUT)),
              "the uninstall left the Start menu shortcut")
        check(self.wine.registry_values(UNINSTALL_KEY) is None, "the uninstall left its registry entry")
        check(os.path.isfile(settings) and read_bytes(settings) == kept,
              "the uninstall removed or changed the user's settings")

    def help_pages(self):
        chm = os.path.join(self.args.program_folder, "help.chm")
        check(os.path.isfile(chm), f"{chm} was not built")
        listing = subprocess.run(["chmls", "--no-page", "--name-only", "list", chm],
                                 capture_output=True, text=True, timeout=60)
        check(listing.returncode == 0, f"chmls cannot read {chm}: {listing.stderr.strip()}")
        names = {line.strip() for line in listing.stdout.splitlines() if line.startswith("/")}
        source = self.args.help_source
        wanted = set()
        for sitemap in ("contents.hhc", "index.hhk"):
            with open(os.path.join(source, sitemap), encoding="latin-1") as f:
                pages = re.findall(r'<param name="Local" value="([^"]+)"', f.read(), re.IGNORECASE)
            check(pages, f"{sitemap} names no page")
            wanted.update(pages)
        for page in sorted(p for p in os.listdir(source) if p.endswith(".html")):
            wanted.add(page)
            with open(os.path.join(source, page), encoding="utf-8") as f:
                wanted.update(re.findall(r'(?:src|href)="((?!https?:|#)[^"#]+)"', f.read()))
        wanted.update(("contents.hhc", "index.hhk"))
        missing = sorted(p for p in wanted if "/" + p not in names)
        check(not missing, f"help.chm lacks {', '.join(missing)}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", required=True, help="the Windows build folder")
    parser.add_argument("--program-folder", required=True, help="the folder of the built program")
    parser.add_argument("--help-source", required=True, help="the folder of the help sources")
    parser.add_argument("--report", required=True, help="the XML report to write")
    args = parser.parse_args()

    test = InstallerTest(args)
    report = Report()
    cases = [
        ("SilentInstallPutsTheProgramInPlace", test.silent_install),
        ("StartMenuShortcutAndUninstallEntryForThisUser", test.shortcut_and_uninstall_entry),
        ("FirstStartCreatesSettingsFromTheTemplate", test.first_start_creates_settings),
        ("StartWithDemoProfileFillsBothPanes", test.start_lists_demo_server),
        ("SilentUninstallRemovesProgramKeepsSettings", test.silent_uninstall),
    ]
    try:
        test.prepare()
        not_run = None
    except (AssertionError, OSError, subprocess.SubprocessError, demo_settings.SettingsError) as e:
        not_run = f"not run: the test prefix could not be prepared: {e}"
    try:
        for name, case in cases:
            if not_run:
                report.fail("Installer", name, not_run)
            elif not report.run("Installer", name, case) and case == test.silent_install:
                not_run = "not run: the silent install failed"
    finally:
        try:
            test.finish()
        except (OSError, subprocess.SubprocessError) as e:
            report.fail("Installer", "LeavesTheTestPrefixAsFound", f"cleaning up failed: {e}")
    report.run("HelpFile", "ListsEveryPageImageAndSitemap", test.help_pages)
    report.write(args.report)
    print(report.summary())
    return 0 if report.failures == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
