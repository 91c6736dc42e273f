#!/usr/bin/python3
"""The distributed setup's headers read back by a PE reader this project does not write (Debian's
python3-pefile): the checksum is the whole file's, payload included; the flags are those the setup is
built with (a GUI program for the expected machine, terminal-server aware, relocatable, no-execute
compatible, and for 64 bits high-entropy); the version resource names the setup and this build's version in both languages.
Usage: dist_headers_test.py SETUP.exe MACHINE VERSION   (MACHINE: i386 or amd64)"""
import sys

try:
    import pefile
except ImportError:
    print("no pefile (scripts/bootstrap.sh installs python3-pefile); skipped")
    sys.exit(77)

setup, machine, version = sys.argv[1:4]
failures = []


def check(ok, what):
    print(("ok    " if ok else "FAIL  ") + what)
    if not ok:
        failures.append(what)


pe = pefile.PE(setup)
optional = pe.OPTIONAL_HEADER
flags = pefile.DLL_CHARACTERISTICS
length = len(pe.__data__)
print(f"{setup}: {length} bytes, image of {pe.sections[-1].PointerToRawData + pe.sections[-1].SizeOfRawData}")

check(optional.CheckSum != 0, f"the header carries a checksum ({optional.CheckSum})")
check(pe.verify_checksum(), f"it is the whole file's ({pe.generate_checksum()})")
expected_machine = {"i386": 0x14C, "amd64": 0x8664}[machine]
check(pe.FILE_HEADER.Machine == expected_machine, f"machine {pe.FILE_HEADER.Machine:#x} is {machine}")
check(pe.FILE_HEADER.Characteristics & 0x0002 != 0, "an executable image")
check(pe.FILE_HEADER.Characteristics & 0x2000 == 0, "not a DLL")
check(optional.Subsystem == pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"], "the GUI subsystem")
for name in ("IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE", "IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE",
             "IMAGE_DLLCHARACTERISTICS_NX_COMPAT"):
    check(optional.DllCharacteristics & flags[name] != 0, name)
# A 64-bit image may be placed anywhere in its address space; a 32-bit one has no such flag.
if machine == "amd64":
    check(optional.DllCharacteristics & flags["IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA"] != 0, "HIGH_ENTROPY_VA")
# The table of relocations a movable image needs is there; stripping it would leave DYNAMIC_BASE a lie.
relocations = optional.DATA_DIRECTORY[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_BASERELOC"]]
check(relocations.Size != 0, "relocations for the movable image")

pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
check(hasattr(pe, "VS_FIXEDFILEINFO"), "a version resource")
if hasattr(pe, "VS_FIXEDFILEINFO"):
    fixed = pe.VS_FIXEDFILEINFO[0]
    numbers = [int(part) for part in version.split(".")] + [0] * (4 - len(version.split(".")))
    packed = (numbers[0] << 16 | numbers[1], numbers[2] << 16 | numbers[3])
    check((fixed.FileVersionMS, fixed.FileVersionLS) == packed, f"file version {version} in numbers")
    check((fixed.ProductVersionMS, fixed.ProductVersionLS) == packed, f"product version {version} in numbers")
    tables = {}
    for info in pe.FileInfo[0]:
        if info.Key == b"StringFileInfo":
            for table in info.StringTable:
                tables[table.LangID.decode()] = {k.decode(): v.decode() for k, v in table.entries.items()}
    check(sorted(tables) == ["040904b0", "080404b0"], f"string tables in Chinese and English: {sorted(tables)}")
    expected = {
        "080404b0": "Vectrace 安装程序",
        "040904b0": "Vectrace Setup",
    }
    for language, description in expected.items():
        strings = tables.get(language, {})
        check(strings.get("FileDescription") == description, f"{language} FileDescription {description}")
        check(strings.get("OriginalFilename") == "VtSetup.exe", f"{language} OriginalFilename VtSetup.exe")
        check(strings.get("FileVersion") == version and strings.get("ProductVersion") == version,
              f"{language} FileVersion and ProductVersion {version}")

print(f"{len(failures)} failure(s)")
sys.exit(1 if failures else 0)
