"""Writes a self-contained page: the template with the program's script (an
Emscripten single-file build, which decodes its inline wasm itself) and, for
@FONT@, a Latin subset of the dialog font as WOFF2, both inline. The same
inputs give the same bytes."""
import argparse
import base64
import io

# Windows-1252's characters beyond Latin-1, which the program's texts may hold.
CP1252_EXTRA = [0x20AC, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                0x2039, 0x0152, 0x017D, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x017E, 0x0178]


def font_subset(path):
    from fontTools import subset
    from fontTools.ttLib import TTFont
    options = subset.Options()
    options.parse_opts(["--flavor=woff2", "--layout-features=", "--name-IDs=1,2",
                        "--no-hinting"])
    # The font's own time stamp, not the time of the build.
    font = TTFont(path, recalcTimestamp=False)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=list(range(0x20, 0x7F)) + list(range(0xA0, 0x100)) + CP1252_EXTRA)
    subsetter.subset(font)
    woff2 = io.BytesIO()
    subset.save_font(font, woff2, options)
    return base64.b64encode(woff2.getvalue()).decode("ascii")


# The wasm is inline, as base64: decoded in the page, as Emscripten does when
# it cannot fetch, it is ready sooner than through a fetch of its data: URL,
# which a browser serves from another process.
INLINE_FETCH = 'if(typeof fetch=="function"){'
DECODE_INLINE = 'if(typeof fetch=="function"&&!isDataURI(wasmBinaryFile)){'


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--template", required=True)
    parser.add_argument("--script", required=True)
    parser.add_argument("--output", required=True)
    parser.add_argument("--font")
    args = parser.parse_args()
    with open(args.template, encoding="utf-8") as template:
        page = template.read()
    with open(args.script, encoding="utf-8") as script:
        # Inline, the script must not end its own element.
        code = script.read().replace("</script", "<\\/script")
    if code.count(INLINE_FETCH) != 1:
        raise SystemExit("%s: not the single-file script this page expects" % args.script)
    code = code.replace(INLINE_FETCH, DECODE_INLINE)
    if "@FONT@" in page:
        page = page.replace("@FONT@", font_subset(args.font))
    page = page.replace("@SCRIPT@", code.strip())
    with open(args.output, "w", encoding="utf-8", newline="\n") as output:
        output.write(page)


if __name__ == "__main__":
    main()
