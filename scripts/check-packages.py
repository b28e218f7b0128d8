#!/usr/bin/env python3
"""Checks the zips that scripts/package.sh makes.

    check-packages.py FOLDER...

For Tav-<version>-win32.zip and Tav-<version>-x64.zip, each in one of the
FOLDERs (scripts/package.sh gives each build tree's packages/): exactly
Tav.exe, Tav.dll, README.txt, README.ja.txt and LICENSE.txt; both programs
built for the package's processor and carrying the version resource with
the project's version; the texts with CR LF line ends, README.ja.txt in code
page 932 and README.txt in UTF-8 with a byte-order mark.  Prints what it
checked; exits 1 on the first fault.
"""
import os
import re
import struct
import sys
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MACHINES = {"win32": 0x14C, "x64": 0x8664}  # IMAGE_FILE_MACHINE_I386, _AMD64
FILES = ["LICENSE.txt", "README.ja.txt", "README.txt", "Tav.dll", "Tav.exe"]


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def machine(image):
    offset = struct.unpack_from("<I", image, 0x3C)[0]
    return struct.unpack_from("<H", image, offset + 4)[0] if image[offset:offset + 4] == b"PE\0\0" else None


def version_resource(image):
    """(file version MS, product version MS, ProductVersion text) of the image."""
    fixed = image.find(struct.pack("<I", 0xFEEF04BD))
    key = "ProductVersion\0".encode("utf-16-le")
    at = image.find(key)
    if fixed < 0 or at < 0:
        return None
    file_ms, _, product_ms = struct.unpack_from("<III", image, fixed + 8)
    at += len(key)
    at += (4 - at % 4) % 4  # the value is aligned to 4 bytes
    end = image.find(b"\0\0", at)
    while end >= 0 and (end - at) % 2:
        end = image.find(b"\0\0", end + 1)
    return file_ms, product_ms, image[at:end].decode("utf-16-le")


def check_text(name, data):
    if b"\n" in data.replace(b"\r\n", b""):
        fail(f"{name}: a line ends without CR LF")
    if name == "README.ja.txt" and "無変換" not in data.decode("cp932"):
        fail(f"{name}: not the Japanese README")
    if name == "README.txt" and not (data.startswith(b"\xef\xbb\xbf") and data.decode("utf-8")):
        fail(f"{name}: no UTF-8 byte-order mark")
    if name == "LICENSE.txt" and b"MIT License" not in data:
        fail(f"{name}: not the MIT licence")


def main():
    with open(os.path.join(ROOT, "CMakeLists.txt"), encoding="utf-8") as f:
        major, minor = map(int, re.search(r"project\(Tav VERSION (\d+)\.(\d+)", f.read()).groups())
    version = f"{major}.{minor}"
    for arch, expected_machine in MACHINES.items():
        name = f"Tav-{version}-{arch}.zip"
        paths = [os.path.join(folder, name) for folder in sys.argv[1:]]
        path = next((p for p in paths if os.path.isfile(p)), None)
        if path is None:
            fail(f"no {name} in {', '.join(sys.argv[1:])}")
        with zipfile.ZipFile(path) as package:
            names = sorted(package.namelist())
            if names != FILES:
                fail(f"{path} holds {names}, not {FILES}")
            for name in names:
                data = package.read(name)
                if not name.endswith((".exe", ".dll")):
                    check_text(name, data)
                elif machine(data) != expected_machine:
                    fail(f"{path}: {name} is not built for {arch}")
                elif version_resource(data) != ((major << 16) | minor, (major << 16) | minor, version):
                    fail(f"{path}: {name} carries version {version_resource(data)}, not {version}")
        print(f"{os.path.basename(path)}: {', '.join(names)}; programs for {arch}, version {version}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
