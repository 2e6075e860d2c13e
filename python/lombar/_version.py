# The project's one version: the package reports it, pyproject.toml and the
# CMake build read it from here.
__version__ = "3.0"
