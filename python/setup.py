"""Builds the extension _zirtel with the project's own CMake build (the source tree one folder
up), then copies it and the shipped data files (data/) into the package, where the module looks
for its data first once installed.

ZIRTEL_CMAKE_ARGS adds arguments to the CMake configuration (e.g. -DCMAKE_BUILD_TYPE=Debug);
ZIRTEL_CMAKE_BUILD names the build folder (default: one below setuptools' temporary folder).
"""

import os
import shlex
import shutil
import subprocess
import sys
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

HERE = Path(__file__).resolve().parent
SOURCE = HERE.parent


class CMakeExtension(Extension):
    def __init__(self, name):
        super().__init__(name, sources=[])


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        target = Path(self.get_ext_fullpath(ext.name)).resolve()
        build = Path(os.environ.get("ZIRTEL_CMAKE_BUILD") or Path(self.build_temp) / "cmake")
        build = build.resolve()
        configure = ["cmake", "-S", str(SOURCE), "-B", str(build),
                     "-DCMAKE_BUILD_TYPE=Release", "-DBUILD_TESTING=OFF",
                     "-DZIRTEL_WINDOWS=OFF", "-DZIRTEL_BENCHMARKS=OFF",
                     "-DZIRTEL_DATA_BUILDER=OFF", f"-DPython_EXECUTABLE={sys.executable}"]
        if shutil.which("ninja"):
            configure += ["-G", "Ninja"]
        env = dict(os.environ)
        if shutil.which("ccache"):
            configure += ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache",
                          "-DCMAKE_C_COMPILER_LAUNCHER=ccache"]
            env.setdefault("CCACHE_BASEDIR", str(SOURCE))
            env.setdefault("CCACHE_NOHASHDIR", "1")
        configure += shlex.split(os.environ.get("ZIRTEL_CMAKE_ARGS", ""))
        subprocess.check_call(configure, env=env)
        subprocess.check_call(["cmake", "--build", str(build), "--target", "zirtel_python",
                               "--parallel", str(os.cpu_count() or 1)], env=env)
        built = sorted((build / "python" / "zirtel").glob("_zirtel*.so"))
        if not built:
            raise RuntimeError(f"the CMake build in {build} made no _zirtel module")
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copy2(built[0], target)
        data = target.parent / "data"
        shutil.rmtree(data, ignore_errors=True)
        shutil.copytree(SOURCE / "data", data)


setup(ext_modules=[CMakeExtension("zirtel._zirtel")], cmdclass={"build_ext": CMakeBuild})
