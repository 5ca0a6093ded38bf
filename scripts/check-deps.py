#!/usr/bin/python3
"""Proves that scripts/install-deps.sh installs everything the build, the tests and the scripts use.

Every requirement is found where it is used, not in a list kept by hand:
- the packages, libraries and programs CMake found (the cache of each configured build folder),
- every pkg_check_modules module, Qt component and find_program name in the CMake files,
- the programs the shell scripts and the test sources run, and the modules the Python scripts import.
Each is traced to the Debian package that owns its file (dpkg -S). A package counts as installed
by the list when it is in the list, is pulled in by one that is (Depends and Pre-Depends of the
installed packages, recursively), or is part of every Debian system (Essential or Priority
required, as debootstrap lays down). Anything else is named, with what needs it, and the check
fails. --drop PKG takes a package out of the list first, to show that the check notices.
"""

import argparse
import glob
import os
import re
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Files and folders whose requirements are checked (bench/ installs its peers itself).
CMAKE_GLOBS = ["CMakeLists.txt", "src/**/CMakeLists.txt", "src/**/*.cmake", "tests/**/CMakeLists.txt",
               "data/**/CMakeLists.txt", "fuzz/**/CMakeLists.txt", "bench/**/CMakeLists.txt",
               "packaging/**/*.cmake", "packaging/**/CMakeLists.txt"]
SHELL_GLOBS = ["scripts/*.sh", ".ci/run", "tests/**/*.sh", "fuzz/**/*.sh"]
SOURCE_GLOBS = ["tests/**/*.cpp", "tests/**/*.h"]
PYTHON_GLOBS = ["scripts/*.py", "tests/**/*.py"]


def files(patterns):
    out = []
    for p in patterns:
        out += [f for f in glob.glob(os.path.join(ROOT, p), recursive=True) if os.path.isfile(f)]
    return sorted(set(out))


def rel(path):
    return os.path.relpath(path, ROOT)


# ---- the package database -------------------------------------------------------------------

def read_status():
    """Installed packages: name -> fields (Depends, Pre-Depends, Provides, Essential, Priority)."""
    pkgs = {}
    with open("/var/lib/dpkg/status", encoding="utf-8", errors="replace") as f:
        text = f.read()
    for stanza in text.split("\n\n"):
        fields = {}
        key = None
        for line in stanza.splitlines():
            if line.startswith((" ", "\t")) and key:
                fields[key] += " " + line.strip()
            elif ":" in line:
                key, _, value = line.partition(":")
                fields[key] = value.strip()
        name = fields.get("Package")
        if name and fields.get("Status", "").endswith(" installed"):
            pkgs[name] = fields
    return pkgs


def dep_groups(field):
    """'a | b (>= 1), c:any' -> [['a', 'b'], ['c']]"""
    groups = []
    for group in field.split(","):
        alts = []
        for alt in group.split("|"):
            name = re.sub(r"\(.*?\)|\[.*?\]|<.*?>", "", alt).strip().split(":")[0]
            if name:
                alts.append(name)
        if alts:
            groups.append(alts)
    return groups


def closure(roots, pkgs):
    provided = {}
    for name, fields in pkgs.items():
        for group in dep_groups(fields.get("Provides", "")):
            for virtual in group:
                provided.setdefault(virtual, []).append(name)
    seen = set()
    todo = [r for r in roots if r in pkgs]
    while todo:
        name = todo.pop()
        if name in seen:
            continue
        seen.add(name)
        fields = pkgs[name]
        for group in dep_groups(fields.get("Pre-Depends", "")) + dep_groups(fields.get("Depends", "")):
            # apt takes the first alternative it can; an alternative already taken satisfies it too.
            chosen = None
            for alt in group:
                for real in ([alt] if alt in pkgs else []) + provided.get(alt, []):
                    if real in seen:
                        chosen = real
                        break
                if chosen:
                    break
            if not chosen:
                for alt in group:
                    candidates = ([alt] if alt in pkgs else []) + provided.get(alt, [])
                    if candidates:
                        chosen = candidates[0]
                        break
            if chosen and chosen not in seen:
                todo.append(chosen)
    return seen


def owners(paths):
    """path -> owning package, through dpkg -S on the path and on its resolved form."""
    result = {}
    queries = {}
    for p in paths:
        forms = [os.path.realpath(p), p]
        # Merged /usr: the database may hold /lib/... for /usr/lib/... and the other way round.
        for f in list(forms):
            if f.startswith("/usr/"):
                forms.append(f[4:])
            else:
                forms.append("/usr" + f)
        queries[p] = forms
    allforms = sorted({f for forms in queries.values() for f in forms})
    found = {}
    for i in range(0, len(allforms), 200):
        chunk = allforms[i:i + 200]
        proc = subprocess.run(["dpkg", "-S"] + chunk, capture_output=True, text=True)
        for line in proc.stdout.splitlines():
            if line.startswith("diversion by"):
                continue
            pkglist, _, path = line.partition(": ")
            found.setdefault(path, pkglist.split(",")[0].strip().split(":")[0])
    for p, forms in queries.items():
        for f in forms:
            if f in found:
                result[p] = found[f]
                break
    return result


# ---- requirements ---------------------------------------------------------------------------

def cmake_calls(text, command):
    """Argument lists of every call of COMMAND in a CMake file."""
    for m in re.finditer(r"(?im)^\s*" + command + r"\s*\(([^)]*)\)", text):
        args = re.sub(r"#[^\n]*", "", m.group(1)).split()
        yield args


def requirements_from_cmake(builds):
    reqs = []  # (what, path or None, where)
    keywords = {"REQUIRED", "QUIET", "IMPORTED_TARGET", "GLOBAL", "NO_CMAKE_PATH", "NO_CMAKE_ENVIRONMENT_PATH"}
    for f in files(CMAKE_GLOBS):
        text = open(f, encoding="utf-8").read()
        for args in cmake_calls(text, "pkg_check_modules"):
            for mod in args[1:]:
                if mod in keywords:
                    continue
                mod = re.split(r"[<>=]", mod)[0]
                proc = subprocess.run(["pkg-config", "--variable=pcfiledir", mod], capture_output=True, text=True)
                path = os.path.join(proc.stdout.strip(), mod + ".pc") if proc.returncode == 0 else None
                reqs.append((f"pkg-config module {mod}", path, rel(f)))
        for args in cmake_calls(text, "find_package"):
            if not args:
                continue
            name = args[0]
            if name == "Qt6" and "COMPONENTS" in args:
                for comp in args[args.index("COMPONENTS") + 1:]:
                    if comp in keywords or re.match(r"^\d", comp):
                        continue
                    hits = glob.glob(f"/usr/lib/*/cmake/Qt6{comp}/Qt6{comp}Config.cmake")
                    reqs.append((f"Qt6 component {comp}", hits[0] if hits else None, rel(f)))
                continue
            hits = (glob.glob(f"/usr/lib/*/cmake/{name}*/{name}Config.cmake")
                    + glob.glob(f"/usr/lib/*/cmake/{name.lower()}*/{name.lower()}-config.cmake")
                    + glob.glob(f"/usr/lib/cmake/{name}*/{name}Config.cmake")
                    + glob.glob(f"/usr/share/cmake/{name}*/{name}Config.cmake"))
            if hits:
                reqs.append((f"CMake package {name}", hits[0], rel(f)))
            elif not glob.glob(f"/usr/share/cmake-*/Modules/Find{name}.cmake"):
                reqs.append((f"CMake package {name}", None, rel(f)))
            # A find module of CMake's own: what it found is in the build folders' caches.
        for args in cmake_calls(text, "find_program"):
            # find_program(VAR name [NAMES ...] [PATHS dir...] [NO_DEFAULT_PATH] ...)
            words = args[1:]
            stops = {"PATHS", "HINTS", "PATH_SUFFIXES", "DOC", "NO_DEFAULT_PATH", "REQUIRED", "NO_CACHE"}
            names, paths, mode = [], [], "names"
            for w in words:
                if w == "NAMES":
                    mode = "names"
                elif w in ("PATHS", "HINTS"):
                    mode = "paths"
                elif w in stops or w in keywords:
                    mode = "other"
                elif mode == "names":
                    names.append(w)
                elif mode == "paths":
                    paths.append(w)
            if names:
                search = ":".join(paths) if "NO_DEFAULT_PATH" in words else ":".join(paths + [os.environ.get("PATH", "")])
                path = shutil.which(names[0], path=search)
                reqs.append((f"program {names[0]}", path, rel(f)))
    # What CMake found when the build folders were configured: compilers, libraries, config files.
    for cache in builds:
        for line in open(cache, encoding="utf-8", errors="replace"):
            m = re.match(r"^([A-Za-z0-9_.+-]+):(FILEPATH|PATH|STRING|INTERNAL)=(/.+)$", line.strip())
            if not m:
                continue
            key, _, value = m.groups()
            # Not what CMake merely came across: optional finds of other packages' CMake files
            # (OpenGL, Vulkan), or the archiver and linker it prefers when present (llvm-ar beside
            # clang; without it GNU ar does the same work).
            if not re.search(r"_DIR$|^pkgcfg_lib_|^CMAKE_(C|CXX)_COMPILER$|^CMAKE_MAKE_PROGRAM$|^VANTRELO_", key):
                continue
            if key.startswith(("CMAKE_INSTALL", "CMAKE_HOME", "CMAKE_CACHEFILE", "CMAKE_ROOT",
                               "CMAKE_COMMAND", "CMAKE_CPACK_COMMAND", "CMAKE_CTEST_COMMAND",
                               "CMAKE_EDIT_COMMAND", "CMAKE_CXX_COMPILER_LAUNCHER",
                               "CMAKE_C_COMPILER_LAUNCHER")) or "_BINARY_DIR" in key or "_SOURCE_DIR" in key:
                continue
            if value.startswith(ROOT) or not value.startswith(("/usr/", "/bin/", "/sbin/", "/lib")):
                continue
            if os.path.isdir(value):
                # A folder has many owners: a package's CMake folder stands for its config file.
                configs = glob.glob(os.path.join(value, "*onfig.cmake")) if key.endswith("_DIR") else []
                if not configs:
                    continue
                value = sorted(configs)[0]
            if os.path.exists(value):
                reqs.append((f"{key}", value, rel(cache)))
    return reqs


def shell_words():
    builtins = set(subprocess.run(["bash", "-c", "compgen -b; compgen -k"], capture_output=True,
                                  text=True).stdout.split())
    words = {}
    for f in files(SHELL_GLOBS):
        if f.endswith("install-deps.sh"):
            continue  # the list itself: its package names are not uses
        for lineno, line in enumerate(open(f, encoding="utf-8", errors="replace"), 1):
            code = line.split(" #")[0] if not line.lstrip().startswith("#") else ""
            for w in re.findall(r"(?<![\w$./-])([A-Za-z][A-Za-z0-9_.+-]*)", code):
                if w not in builtins:
                    words.setdefault(w, f"{rel(f)}:{lineno}")
    for f in files(SOURCE_GLOBS):
        for lineno, line in enumerate(open(f, encoding="utf-8", errors="replace"), 1):
            # Programs the tests start: a whole string literal that names an installed program.
            for w in re.findall(r'(?:\(\{|\.start\(|execute\(|startDetached\(|Spawn\w*\(\{?)\s*'
                                r'(?:QStringLiteral\()?"([A-Za-z][A-Za-z0-9_.+-]*)"', line):
                words.setdefault(w, f"{rel(f)}:{lineno}")
    return words


def requirements_from_scripts():
    reqs = []
    for word, where in shell_words().items():
        path = shutil.which(word, path="/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin")
        if path:
            reqs.append((f"program {word}", path, where))
    for f in files(PYTHON_GLOBS):
        for lineno, line in enumerate(open(f, encoding="utf-8"), 1):
            m = re.match(r"^\s*(?:import|from)\s+([A-Za-z_][A-Za-z0-9_]*)", line)
            if not m:
                continue
            mod = m.group(1)
            # Debian's interpreter, the one a fresh machine has (not a python3 of the user's own).
            proc = subprocess.run(["/usr/bin/python3", "-c", f"import importlib.util as u; s = u.find_spec('{mod}'); "
                                   "print('MISSING' if s is None else '' if s.origin in ('built-in', 'frozen') else s.origin or "
                                   "(list(s.submodule_search_locations or [''])[0]))"],
                                  capture_output=True, text=True)
            origin = proc.stdout.strip()
            if proc.returncode != 0 or origin == "MISSING":
                reqs.append((f"Python module {mod}", None, f"{rel(f)}:{lineno}"))
            elif origin:
                reqs.append((f"Python module {mod}", origin, f"{rel(f)}:{lineno}"))
    return reqs


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--drop", action="append", default=[], help="take PKG out of the list before checking")
    ap.add_argument("--verbose", action="store_true", help="print every requirement and its package")
    ap.add_argument("builds", nargs="*", help="configured build folders (default: every build/*)")
    args = ap.parse_args()

    listed = subprocess.run(["bash", os.path.join(ROOT, "scripts/install-deps.sh"), "--list"],
                            capture_output=True, text=True, check=True).stdout.split()
    listed = [p for p in listed if p not in args.drop]
    pkgs = read_status()
    base = [n for n, f in pkgs.items() if f.get("Essential") == "yes" or f.get("Priority") == "required"]
    covered = closure(listed, pkgs) | closure(base, pkgs)

    builds = [os.path.join(b, "CMakeCache.txt") for b in args.builds] if args.builds else \
        glob.glob(os.path.join(ROOT, "build/*/CMakeCache.txt"))
    reqs = requirements_from_cmake([b for b in builds if os.path.isfile(b)]) + requirements_from_scripts()
    own = owners(sorted({p for _, p, _ in reqs if p}))

    missing = {}   # package -> [(what, where)]
    unowned = []
    for what, path, where in reqs:
        if path is None:
            unowned.append(f"{what} (used in {where}) is not on this machine")
            continue
        pkg = own.get(path)
        if pkg is None:
            # Files that no package owns but that live in a package's folder (generated caches).
            if path.startswith(("/usr/local/", "/opt/")) or "/.pyenv/" in path:
                unowned.append(f"{what} (used in {where}) comes from {path}, which no Debian package installs")
            continue
        if args.verbose:
            print(f"{'ok     ' if pkg in covered else 'MISSING'} {pkg:28} {what} ({where})")
        if pkg not in covered:
            missing.setdefault(pkg, []).append((what, where))

    for line in unowned:
        print(f"check-deps: {line}", file=sys.stderr)
    for pkg, uses in sorted(missing.items()):
        what, where = uses[0]
        more = f" and {len(uses) - 1} more" if len(uses) > 1 else ""
        print(f"check-deps: {pkg} is not installed by scripts/install-deps.sh, nor pulled in by a package "
              f"it installs; needed for {what} ({where}){more}", file=sys.stderr)
    if missing or unowned:
        return 1
    print(f"check-deps: {len(reqs)} requirements, all from packages that scripts/install-deps.sh installs "
          f"({len(listed)} listed, {len(covered)} with what they pull in and the base system)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
