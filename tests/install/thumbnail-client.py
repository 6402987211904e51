#!/usr/bin/python3
# Asks a desktop's thumbnail service for thumbnails of scenarios as a file manager does, then
# reads the thumbnail cache: every file must have a 128 px thumbnail that names it and shows the
# picture REFERENCE (the minimap drawn at that size).
# Usage: thumbnail-client.py tumbler|gnome REFERENCE FILE...
#   tumbler: the thumbnail service on the session bus (org.freedesktop.thumbnails.Thumbnailer1)
#   gnome:   GNOME's thumbnail factory, run in this process as its file manager runs it
# Prints "N of M thumbnails made" and what went wrong with each one that was not.
import hashlib
import os
import sys

import gi

gi.require_version("Gio", "2.0")
gi.require_version("GdkPixbuf", "2.0")
from gi.repository import GdkPixbuf, Gio, GLib  # noqa: E402

SCENARIO_TYPE = "application/x-warcraft2-scenario"


def ask_tumbler(uris):
    """Queues the files and waits until the service has finished them; returns its errors."""
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    proxy = Gio.DBusProxy.new_sync(bus, Gio.DBusProxyFlags.NONE, None,
                                   "org.freedesktop.thumbnails.Thumbnailer1",
                                   "/org/freedesktop/thumbnails/Thumbnailer1",
                                   "org.freedesktop.thumbnails.Thumbnailer1", None)
    loop = GLib.MainLoop()
    errors = {}
    handle = []

    def on_signal(_proxy, _sender, name, parameters):
        values = parameters.unpack()
        if not handle or values[0] != handle[0]:
            return
        if name == "Error":
            for uri in values[1]:
                errors[uri] = values[3]
        elif name == "Finished":
            loop.quit()

    proxy.connect("g-signal", on_signal)
    handle.append(proxy.call_sync(
        "Queue", GLib.Variant("(asasssu)", (uris, [SCENARIO_TYPE] * len(uris), "normal",
                                            "default", 0)),
        Gio.DBusCallFlags.NONE, 60000, None).unpack()[0])
    GLib.timeout_add_seconds(120, loop.quit)
    loop.run()
    return errors


def ask_gnome(uris):
    gi.require_version("GnomeDesktop", "4.0")
    from gi.repository import GnomeDesktop

    factory = GnomeDesktop.DesktopThumbnailFactory.new(GnomeDesktop.DesktopThumbnailSize.NORMAL)
    errors = {}
    for uri in uris:
        mtime = int(os.stat(Gio.File.new_for_uri(uri).get_path()).st_mtime)
        if not factory.can_thumbnail(uri, SCENARIO_TYPE, mtime):
            errors[uri] = "the factory knows no thumbnailer for it"
            continue
        try:
            picture = factory.generate_thumbnail(uri, SCENARIO_TYPE, None)
            factory.save_thumbnail(picture, uri, mtime, None)
        except GLib.Error as error:
            errors[uri] = error.message
    return errors


def rgb_rows(picture):
    """The red, green and blue bytes of each row, without padding or alpha."""
    pixels = picture.get_pixels()
    stride, channels = picture.get_rowstride(), picture.get_n_channels()
    return [bytes(b for x in range(picture.get_width())
                  for b in pixels[y * stride + x * channels:y * stride + x * channels + 3])
            for y in range(picture.get_height())]


def check_cache(uri, reference):
    """What is wrong with the cached thumbnail of `uri`, or None."""
    cache = os.path.join(GLib.get_user_cache_dir(), "thumbnails", "normal",
                         hashlib.md5(uri.encode()).hexdigest() + ".png")
    if not os.path.exists(cache):
        return "no thumbnail in the cache"
    picture = GdkPixbuf.Pixbuf.new_from_file(cache)
    if picture.get_option("tEXt::Thumb::URI") != uri:
        return "the thumbnail names " + str(picture.get_option("tEXt::Thumb::URI"))
    if (picture.get_width(), picture.get_height()) != (reference.get_width(),
                                                       reference.get_height()):
        return "the thumbnail is %d x %d" % (picture.get_width(), picture.get_height())
    if rgb_rows(picture) != rgb_rows(reference):
        return "the thumbnail is not the minimap"
    return None


def main():
    service, reference_path, paths = sys.argv[1], sys.argv[2], sys.argv[3:]
    reference = GdkPixbuf.Pixbuf.new_from_file(reference_path)
    uris = [Gio.File.new_for_path(path).get_uri() for path in paths]
    errors = ask_tumbler(uris) if service == "tumbler" else ask_gnome(uris)
    made = 0
    for uri in uris:
        problem = check_cache(uri, reference)
        if problem:
            print("%s: %s%s" % (uri, problem,
                                " (the service said: %s)" % errors[uri] if uri in errors else ""))
        else:
            made += 1
    print("%s: %d of %d thumbnails made" % (service, made, len(uris)))
    return 0 if made == len(uris) else 1


sys.exit(main())
