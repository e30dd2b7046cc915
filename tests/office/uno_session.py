"""A headless LibreOffice driven over UNO (python3-uno, so /usr/bin/python3),
with a private profile and the add-in from the build folder."""

import os
import shutil
import subprocess
import time

import uno
from com.sun.star.beans import PropertyValue
from com.sun.star.connection import NoConnectException


def property_value(name, value):
    p = PropertyValue()
    p.Name, p.Value = name, value
    return p


class Session:
    def __init__(self, work, extensions, timeout=180):
        os.makedirs(work, exist_ok=True)
        pipe = f"bcfont_{os.getpid()}"
        soffice = shutil.which("soffice") or "/usr/lib/libreoffice/program/soffice"
        env = dict(os.environ, HOME=os.path.join(work, "home"), SAL_USE_VCLPLUGIN="svp")
        self.process = subprocess.Popen(
            [soffice, f"-env:UserInstallation=file://{os.path.join(work, 'profile')}",
             f"-env:BUNDLED_EXTENSIONS=file://{extensions}", "--headless", "--invisible", "--norestore",
             "--nologo", "--nolockcheck", f"--accept=pipe,name={pipe};urp;"],
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
        deadline = time.monotonic() + timeout
        while True:
            try:
                self.context = resolver.resolve(f"uno:pipe,name={pipe};urp;StarOffice.ComponentContext")
                break
            except NoConnectException:
                if time.monotonic() > deadline or self.process.poll() not in (None, 81):
                    self.process.kill()
                    raise RuntimeError("LibreOffice did not start")
                time.sleep(0.2)
        self.manager = self.context.ServiceManager
        self.desktop = self.create("com.sun.star.frame.Desktop")

    def create(self, service, *arguments):
        if arguments:
            return self.manager.createInstanceWithArgumentsAndContext(service, arguments, self.context)
        return self.manager.createInstanceWithContext(service, self.context)

    def new_sheet(self):
        return self.desktop.loadComponentFromURL("private:factory/scalc", "_blank", 0,
                                                 (property_value("Hidden", True),))

    def close(self):
        try:
            self.desktop.terminate()
        except Exception:  # the bridge goes down with the process
            pass
        try:
            self.process.wait(timeout=60)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
