"""The package as a user meets it: installed by pip (with its C extension, or
without a compiler), finding the library file, its type stubs, the README's
snippet, the folder the library's logs go to, and both call paths."""

import ast
import os
import pathlib
import pwd
import re
import shutil
import subprocess
import sys
import sysconfig
import tempfile

import pytest

import lombar
from lombar import _calls, _native, _stubs
from test_objects import OVERFLOW_XML

ROOT = pathlib.Path(__file__).resolve().parents[2]
LIBRARY = pathlib.Path(_native.lib().lombar_path)
FILE = LIBRARY.name


def run_python(code, env, cwd=None, user=None):
    """Runs `code` in a fresh interpreter with only `env`: (exit status, output, errors).
    It runs in the temporary folder unless told otherwise, so that the
    repository's package beside the tests is never the one imported."""
    done = subprocess.run(
        [sys.executable, "-c", code], env=dict(env, PYTHONDONTWRITEBYTECODE="1"),
        cwd=cwd or tempfile.gettempdir(),
        capture_output=True, text=True, timeout=120,
        **({} if user is None else {"user": user.pw_uid, "group": user.pw_gid}))
    return done.returncode, done.stdout, done.stderr


def plain_env(**settings):
    """An environment without the test run's settings (LOMBAR_LIBRARY,
    LOMBAR_LOG_DIR), keeping what a sanitized library needs to load."""
    kept = ("PATH", "LD_PRELOAD", "ASAN_OPTIONS", "UBSAN_OPTIONS")
    return dict({name: os.environ[name] for name in kept if name in os.environ}, **settings)


def pip_install(work, **settings):
    """The package as `pip install --no-build-isolation` puts it under a new
    prefix in `work`, built from a copy of python/ (pip builds in place) with
    the environment `settings`: (prefix, package folder)."""
    source = work / "source"
    shutil.copytree(ROOT / "python", source, ignore=shutil.ignore_patterns(
        "tests", "build", "*.egg-info", "__pycache__", "*.so"))
    prefix = work / "prefix"
    done = subprocess.run(
        [sys.executable, "-m", "pip", "install", "--no-build-isolation", "--no-index",
         "--prefix", str(prefix), str(source)], capture_output=True, text=True, timeout=600,
        env=dict(os.environ, **settings))
    assert done.returncode == 0, done.stdout + done.stderr
    (package,) = prefix.glob("**/lombar/__init__.py")
    return prefix, package.parent


@pytest.fixture(scope="module")
def installed(tmp_path_factory):
    return pip_install(tmp_path_factory.mktemp("install"))


def test_an_installed_package_finds_the_library_in_its_places_in_order(installed, tmp_path):
    prefix, package = installed
    env = plain_env(PYTHONPATH=str(package.parent), HOME=str(prefix))
    report = "import lombar; print(lombar.__version__, lombar._native.lib().lombar_path)"
    metadata = next(package.parent.glob("lombar-*.dist-info/METADATA")).read_text()
    assert "\nVersion: %s\n" % lombar.__version__ in metadata

    multiarch = sysconfig.get_config_var("MULTIARCH")
    lib_folders = ["lib"] + (["lib/" + multiarch] if multiarch else [])
    system = [pathlib.Path(top, folder, FILE) for folder in lib_folders
              for top in ("/usr/local", "/usr")]
    if not any(path.exists() for path in system):
        status, _, errors = run_python(report, env)
        looked_at = [package / FILE, *(prefix / folder / FILE for folder in lib_folders),
                     pathlib.Path(sys.prefix, "lib", FILE), *system]
        assert status != 0 and "OSError" in errors and "the system loader" in errors
        assert all(str(path) in errors for path in looked_at), errors
        assert str(ROOT / "build") not in errors  # not run from the repository

    # Last the system loader (here through LD_LIBRARY_PATH), then each place
    # before it: the multiarch folder and lib/ under the prefix (where `cmake
    # --install` puts it), beside the package, and the variable.
    loader = tmp_path / "loader" / FILE
    places = [loader, *(prefix / folder / FILE for folder in reversed(lib_folders)), package / FILE]
    env["LD_LIBRARY_PATH"] = str(loader.parent)
    for place in places:
        place.parent.mkdir(parents=True, exist_ok=True)
        shutil.copy(LIBRARY, place)
        assert run_python(report, env) == (0, "%s %s\n" % (lombar.__version__, place), "")
    configured = dict(env, LOMBAR_LIBRARY=str(LIBRARY))
    assert run_python(report, configured)[1] == "%s %s\n" % (lombar.__version__, LIBRARY)


def test_pip_builds_the_c_extension_and_the_package_runs_without_it(installed, tmp_path):
    _, package = installed
    assert [path.name for path in package.glob("_fastcall*.so")]
    for name in ("py.typed", "__init__.pyi"):  # for editors and type checkers
        assert (package / name).read_bytes() == (ROOT / "python" / "lombar" / name).read_bytes()
    report = ("import lombar; infos = lombar.Dispatch('ICatInfoCol')\n"
              "print(lombar._calls.PATH, infos.Count, len(infos))")
    env = plain_env(PYTHONPATH=str(package.parent), LOMBAR_LIBRARY=str(LIBRARY))
    assert run_python(report, env)[:2] == (0, "C extension 0 0\n")
    assert run_python(report, dict(env, LOMBAR_PURE="1"))[:2] == (0, "ctypes 0 0\n")
    # Without a compiler the install leaves the extension out.
    _, bare = pip_install(tmp_path, CC="false")
    assert not list(bare.glob("_fastcall*")) and (bare / "__init__.pyi").exists()
    assert run_python(report, dict(env, PYTHONPATH=str(bare.parent)))[:2] == (0, "ctypes 0 0\n")


def test_the_calls_go_through_the_c_extension_unless_lombar_pure_is_set():
    assert _calls.PATH == ("ctypes" if os.environ.get("LOMBAR_PURE") else "C extension")


def test_the_tests_pass_on_the_ctypes_path_too():
    if os.environ.get("LOMBAR_PURE"):
        pytest.skip("this is the run on the ctypes path")
    done = subprocess.run(
        [sys.executable, "-m", "pytest", "-q", "-p", "no:cacheprovider", str(ROOT / "python" / "tests")],
        env=dict(os.environ, LOMBAR_PURE="1"), capture_output=True, text=True, timeout=1800)
    assert done.returncode == 0, done.stdout[-6000:] + done.stderr[-2000:]


def test_the_package_modules_import_one_another_without_a_circle():
    package = ROOT / "python" / "lombar"
    imports = {}
    for module in package.glob("*.py"):
        names = set()
        for node in ast.walk(ast.parse(module.read_text())):
            if isinstance(node, ast.ImportFrom) and node.level == 1:
                names |= {node.module} if node.module else {alias.name for alias in node.names}
        imports[module.stem] = names & {path.stem for path in package.glob("*.py")}
    done = []
    while len(done) < len(imports):  # take the modules whose imports are all taken
        ready = [name for name in imports if name not in done and imports[name] <= set(done)]
        assert ready, {name: imports[name] - set(done) for name in imports if name not in done}
        done += ready


def test_the_type_stubs_are_those_of_the_library_and_the_guide_names_their_types():
    text = _stubs.stubs()
    ast.parse(text)
    assert (ROOT / "python" / "lombar" / "__init__.pyi").read_text() == text, (
        "stale stubs: PYTHONPATH=python python3 -m lombar._stubs > python/lombar/__init__.pyi")
    guide = (ROOT / "docs" / "guide.md").read_text()
    section = guide[guide.index("## Python types"):]
    rows = dict(re.findall(r"^\| `(\w+)` \| `([^`]+)` \|", section, re.M))
    assert rows == _stubs.RESULT_TYPES


def test_the_readme_snippet_runs_from_the_repository_root():
    readme = (ROOT / "README.md").read_text()
    section = readme[readme.index("## From Python"):]
    command = re.search(r"run this from the\s+repository root with `([^`]+)`", section)
    assert command and command.group(1) == "PYTHONPATH=python python3"
    snippet = re.search(r"\n\n((?:    .*\n)+)", section).group(1)
    code = "\n".join(line[4:] for line in snippet.splitlines())
    env = plain_env(PYTHONPATH="python", HOME=tempfile.gettempdir(),
                    LOMBAR_LOG_DIR=os.environ["LOMBAR_LOG_DIR"])
    if "LOMBAR_LIBRARY" in os.environ:  # the library under test; else build/, as the README has it
        env["LOMBAR_LIBRARY"] = os.environ["LOMBAR_LIBRARY"]
    status, out, errors = run_python(code, env, cwd=ROOT)
    assert status == 0, errors
    assert out.startswith("1 <ICatInfoCol>")


@pytest.fixture
def unprivileged():
    """A user the folder permissions hold for (root writes anywhere): nobody
    when the tests run as root, else None (the test's own user)."""
    if os.geteuid() != 0:
        return None
    try:
        return pwd.getpwnam("nobody")
    except KeyError:
        pytest.skip("running as root and there is no user nobody to run as")


# (library folder writable, XDG_STATE_HOME, where the error log goes); a
# relative XDG_STATE_HOME counts as unset, and HOME is the temporary folder.
LOG_PLACES = [
    (True, "{work}/state", "lib"),
    (False, "{work}/state", "state/lombar"),
    (False, "state", ".local/state/lombar"),
]


@pytest.mark.parametrize("writable, state_home, expected", LOG_PLACES)
def test_logs_go_beside_the_library_or_when_its_folder_is_read_only_to_the_state_folder(
        unprivileged, writable, state_home, expected):
    work = pathlib.Path(tempfile.mkdtemp(prefix="lombar-state-"))
    folder = work / "lib"
    try:
        work.chmod(0o777)  # the library makes its state folder here
        folder.mkdir()
        shutil.copy(LIBRARY, folder)
        shutil.copytree(ROOT / "python" / "lombar", work / "lombar")
        folder.chmod(0o777 if writable else 0o555)
        code = ("import lombar\ntry:\n    lombar.Dispatch('ICatInfoCol').XML = %r\n"
                "except lombar.ComError as error:\n    print(error.number)\n" % OVERFLOW_XML)
        env = plain_env(LOMBAR_LIBRARY=str(folder / FILE), PYTHONPATH=str(work), HOME=str(work),
                        XDG_STATE_HOME=state_home.format(work=work))
        assert run_python(code, env, cwd=work, user=unprivileged)[:2] == (0, "6\n")
        logs = [path.relative_to(work).as_posix() for path in work.glob("**/*.error.log")]
        assert logs == ["%s/qorLOMBARv3.00.error.log" % expected]
        assert "Overflow" in (work / logs[0]).read_text()
    finally:
        if folder.exists():
            folder.chmod(0o755)
        shutil.rmtree(work)
