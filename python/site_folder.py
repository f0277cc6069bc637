"""Prints the site folder, relative to the install prefix given as the argument, that this
interpreter imports modules from: on Debian lib/python3/dist-packages for the prefix /usr and
lib/python3.X/dist-packages below any other prefix (/usr/local), elsewhere the interpreter's own
site-packages below the prefix."""
import sys
import sysconfig

debian = "deb_system" in sysconfig.get_scheme_names()
if debian and sys.argv[1].rstrip("/") == "/usr":
    print("lib/python3/dist-packages")
elif debian:
    print("lib/python%d.%d/dist-packages" % sys.version_info[:2])
else:
    print(sysconfig.get_path("platlib", "posix_prefix",
                             vars={"base": "", "platbase": ""}).lstrip("/"))
