#!/usr/bin/python3
"""The browser build in headless Chromium: the renderer the page found and the picture it chose, the menu
after the warm-up, a game started from the keyboard, settings that survive a reload, and a console free
of errors.

usage: browser_test.py WEB_BUILD_DIR SHOTS_DIR
Prints the pictures' paths and the frame rates it measured."""
import io
import os
import subprocess
import sys
import tempfile
import time

from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

WIDTH, HEIGHT = 1200, 600  # wider than 4:3, so the picture has black bars on both sides
SCALE = 2  # a high-DPI display: two device pixels to the CSS pixel


class Picture:
    def __init__(self, png, path):
        with open(path, 'wb') as f:
            f.write(png)
        self.path = path
        image = Image.open(io.BytesIO(png)).convert('RGB')
        self.w, self.h = image.size
        self.pixels = image.load()

    def brightness(self, x, y):
        return max(self.pixels[x, y])

    def lit(self, x0, y0, x1, y1, level):
        """Pixels brighter than level in the rectangle (fractions of the size), every other one counted."""
        n = 0
        for y in range(int(y0 * self.h), int(y1 * self.h), 2):
            for x in range(int(x0 * self.w), int(x1 * self.w), 2):
                if self.brightness(x, y) > level:
                    n += 1
        return n

    def picture_rect(self):
        """Where the largest 4:3 rectangle sits, as fractions of the canvas."""
        fit_w = self.h * 4 / 3
        left = (self.w - fit_w) / 2 / self.w
        return left, 1 - left


def fail(message):
    print('FAILED: ' + message)
    sys.exit(1)


def press(driver, key, hold=0.15, times=1):
    for _ in range(times):
        ActionChains(driver).key_down(key).pause(hold).key_up(key).pause(hold).perform()


def wait_for_presents(driver, count, timeout=60):
    end = time.time() + timeout
    while time.time() < end:
        n = driver.execute_script('return window.Module && Module.calledRun ? Module._quivex_presents() : 0')
        if n >= count:
            return
        time.sleep(0.2)
    fail(f'the page showed fewer than {count} pictures in {timeout} s')


def soon(check, timeout=5):
    end = time.time() + timeout
    while time.time() < end:
        if check():
            return True
        time.sleep(0.1)
    return False


def wait_until(check, what, timeout=30):
    end = time.time() + timeout
    while time.time() < end:
        if check():
            return
        time.sleep(0.1)
    fail(what)


# Counted on every animation frame by the page, once per page load: animation frames, those in which a
# picture was presented (the browser shows one picture per animation frame), and the page's clock.
COUNTERS = """
if (!window.quivexCounts) {
    window.quivexCounts = {raf: 0, shown: 0};
    var last = Module._quivex_presents();
    (function tick() {
        var p = Module._quivex_presents();
        ++quivexCounts.raf;
        if (p != last) ++quivexCounts.shown;
        last = p;
        requestAnimationFrame(tick);
    })();
}
return [quivexCounts.raf, quivexCounts.shown, Module._quivex_presents(), Module._quivex_glow_layers(),
        performance.now()];"""


def measure_rates(driver, seconds=5):
    """Animation frames, pictures shown, game frames and glow layers added per second over a few
    seconds of the page's clock."""
    before = driver.execute_script(COUNTERS)
    time.sleep(seconds)
    after = driver.execute_script(COUNTERS)
    elapsed = (after[4] - before[4]) / 1000
    return [(a - b) / elapsed for a, b in zip(after[:4], before[:4])]


def print_rates(where, rates):
    raf, shown, game, glow = rates
    print(f'{where}: {raf:.1f} animation frames/s, {game:.1f} game frames/s, {shown:.1f} pictures shown/s, '
          f'{glow:.1f} glow layers/s')


class Console:
    """The page's console messages, kept across reads (each read of the browser's log empties it)."""

    def __init__(self, driver):
        self.driver, self.entries = driver, []

    def read(self):
        self.entries += self.driver.get_log('browser')
        return self.entries


def renderer_name(console):
    marker = 'quiv-ex: WebGL renderer: '
    for e in console.read():
        if marker in e['message']:
            return e['message'].split(marker, 1)[1].rstrip('"')
    return None


def read_file(driver, name):
    return driver.execute_script(
        f"try {{ return Array.from(FS.readFile('/quivex/{name}')); }} catch (e) {{ return null; }}")


def read_settings(driver):
    return read_file(driver, 'quivex.cfg')


def read_options(driver):
    data = read_file(driver, 'options.cfg')
    return bytes(data).decode() if data is not None else None


def resolution_index(driver):
    """quivex.cfg: the version, 14 bindings, then the resolution's index."""
    data = read_settings(driver)
    fields = bytes(data).decode().split() if data is not None else []
    return int(fields[15]) if len(fields) > 15 else None


def stored(driver):
    """Whatever the game changed in its files is written back to IndexedDB."""
    return driver.execute_script('return !Module.quivexStorageChanged && !Module.quivexSyncing')


def main():
    web_dir, shots = sys.argv[1], sys.argv[2]
    os.makedirs(shots, exist_ok=True)
    for name in ('index.html', 'index.js', 'index.wasm'):
        if not os.path.exists(os.path.join(web_dir, name)):
            fail(f'{web_dir}/{name} is missing')
    server = subprocess.Popen([sys.executable, '-u', '-m', 'http.server', '0', '--bind', '127.0.0.1',
                               '--directory', web_dir], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    profile = tempfile.mkdtemp(prefix='quivex-chromium-')
    driver = None
    try:
        line = server.stdout.readline()  # "Serving HTTP on 127.0.0.1 port N ..."
        port = int(line.split(' port ')[1].split()[0])
        url = f'http://127.0.0.1:{port}/'

        options = webdriver.ChromeOptions()
        options.binary_location = '/usr/bin/chromium'
        # WebGL 2 on Mesa's llvmpipe through ANGLE: several times the frame rate of SwiftShader here.
        for arg in ('--headless=new', '--no-sandbox', '--use-gl=angle', '--use-angle=gl-egl', '--ignore-gpu-blocklist',
                    f'--window-size={WIDTH},{HEIGHT}', f'--force-device-scale-factor={SCALE}', '--disable-quic',
                    '--no-first-run',
                    '--disable-background-networking', '--disable-component-update', '--disable-sync',
                    f'--user-data-dir={profile}'):
            options.add_argument(arg)
        options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
        driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
        console = Console(driver)
        driver.get(url)

        # The warm-up's 200 pictures (and the display test's 60 in full screen), then the menu.
        wait_for_presents(driver, 320)
        # The effects are left to the renderer (auto): llvmpipe draws the light picture.
        renderer = renderer_name(console)
        print('WebGL renderer:', renderer)
        if not renderer or 'llvmpipe' not in renderer.lower():
            fail(f'the page did not find the software renderer (llvmpipe) it draws on: {renderer}')
        time.sleep(1)
        canvas = driver.find_element('id', 'canvas')
        menu = Picture(canvas.screenshot_as_png, os.path.join(shots, 'web_menu.png'))
        print('menu picture:', menu.path)
        left, right = menu.picture_rect()
        if left < 0.05:
            fail('the canvas is not wider than 4:3 (%dx%d)' % (menu.w, menu.h))
        for x0, x1 in ((0, left - 0.01), (right + 0.01, 1)):
            if menu.lit(x0, 0, x1, 1, 8):
                fail('the bars beside the 4:3 picture are not black')
        logo = menu.lit(0.3, 0.15, 0.7, 0.4, 200)
        items = menu.lit(0.3, 0.45, 0.7, 0.75, 60)  # grey text over a grid of 50 at most
        if logo < 400:
            fail(f'no bright logo in the menu picture ({logo} bright pixels)')
        if items < 120:
            fail(f'no menu items under the logo ({items} lit pixels)')

        print_rates('menu', measure_rates(driver))

        # "start game" is the first item.
        press(driver, Keys.RETURN)
        time.sleep(4)
        game = Picture(canvas.screenshot_as_png, os.path.join(shots, 'web_game.png'))
        print('game picture:', game.path)
        if game.lit(0.3, 0.15, 0.7, 0.4, 200) > logo / 4:
            fail('the logo is still there after Return: no game started')
        if game.lit(left, 0, right, 1, 40) < 200:
            fail('the playfield is empty')
        rates = measure_rates(driver)
        print_rates('level 1', rates)
        if rates[3] <= 0:
            fail('no glow layer added in the game: the light picture is not drawn on llvmpipe')

        # Escape ends the game and keeps its replay; watching it reads the file back.
        press(driver, Keys.ESCAPE)
        time.sleep(1)
        if not driver.execute_script("try { return FS.stat('/quivex/replays/last.qxr').size; } catch (e) { return 0; }"):
            fail('the game left no replay')
        press(driver, Keys.DOWN, times=4)
        press(driver, Keys.RETURN)  # "replays"
        press(driver, Keys.RETURN)  # "watch last game"
        time.sleep(2)
        replay = Picture(canvas.screenshot_as_png, os.path.join(shots, 'web_replay.png'))
        print('replay picture:', replay.path)
        if replay.lit(0.3, 0.15, 0.7, 0.4, 200) > logo / 4 or replay.lit(left, 0, right, 1, 40) < 200:
            fail('the replay of the game does not play')

        # Settings changed on the options page are still there after a reload.
        driver.refresh()
        wait_for_presents(driver, 260)
        time.sleep(1)
        before = read_settings(driver)
        options_before = read_options(driver)
        press(driver, Keys.DOWN, times=3)
        press(driver, Keys.RETURN)
        press(driver, Keys.RIGHT)  # "display:", the first item of the options page
        wait_until(lambda: read_settings(driver) not in (None, before) and stored(driver),
                   'changing the display on the options page saved nothing')
        changed = read_settings(driver)
        press(driver, Keys.DOWN, times=3)  # past "windowed:" and "resolution:"
        press(driver, Keys.RIGHT)  # "effects:", from auto to full
        wait_until(lambda: 'effects = full\n' in (read_options(driver) or '') and stored(driver),
                   'changing the effects to full on the options page saved nothing in options.cfg')
        options_changed = read_options(driver)
        if read_settings(driver) != changed:
            fail('walking the options page to "effects:" changed quivex.cfg')
        if (options_before is not None
                and options_changed.replace('effects = full', 'effects = auto') != options_before):
            fail('changing the effects changed other lines of options.cfg:\n' + options_changed)
        driver.refresh()
        wait_for_presents(driver, 260)
        if read_settings(driver) != changed:
            fail('the changed display did not survive a reload')
        if read_options(driver) != options_changed:
            fail('the effects changed to full did not survive a reload')
        print('the changed display and effects survived a reload')

        # Native: the picture is drawn at the canvas's device pixels, the largest 4:3 rectangle of them,
        # and shown without the scaling pass; chosen on the options page and kept in options.cfg.
        wait_for_presents(driver, 320)
        press(driver, Keys.DOWN, times=3)
        press(driver, Keys.RETURN)
        press(driver, Keys.DOWN, times=2)  # "resolution:"
        # Each step rebuilds the picture, which asks the page for full screen; a refusal can cost the
        # page its focus and the key its press, so a step not taken is pressed again.
        for index in range(2, 6):  # from 800 x 600 through the table, each step saved before the next
            for _ in range(3):
                press(driver, Keys.RIGHT)
                if soon(lambda: resolution_index(driver) == index):
                    break
            else:
                fail(f'the resolution did not step to {index}')
        changed = read_settings(driver)
        for _ in range(3):  # past the table: native
            press(driver, Keys.RIGHT)
            if soon(lambda: 'resolution = native\n' in (read_options(driver) or '')):
                break
        wait_until(lambda: 'resolution = native\n' in (read_options(driver) or '') and stored(driver),
                   'choosing native on the options page saved nothing in options.cfg')
        if read_settings(driver) != changed:
            fail('choosing native changed quivex.cfg')
        size = driver.execute_script('return [Module.canvas.width, Module.canvas.height, Module.canvas.clientWidth, '
                                     'Module.canvas.clientHeight, window.devicePixelRatio]')
        canvas_w, canvas_h, css_w, css_h, ratio = size
        if ratio != SCALE or abs(canvas_w - css_w * ratio) > 1 or abs(canvas_h - css_h * ratio) > 1:
            fail(f'the canvas is not at its device pixels: {size}')
        wait_for_presents(driver, driver.execute_script('return Module._quivex_presents()') + 10)
        picture = driver.execute_script('return [Module._quivex_picture_width(), Module._quivex_picture_height(), '
                                        'Module._quivex_picture_scaled()]')
        fit_w, fit_h = (canvas_h * 4 + 1) // 3, canvas_h
        if canvas_w * 3 <= canvas_h * 4:
            fit_w, fit_h = canvas_w, (canvas_w * 3 + 2) // 4
        if picture != [fit_w, fit_h, 0]:
            fail(f'native drew {picture[0]} x {picture[1]} (scaled: {picture[2]}), not {fit_w} x {fit_h} unscaled '
                 f'on a {canvas_w} x {canvas_h} canvas')
        native = Picture(driver.find_element('id', 'canvas').screenshot_as_png,
                         os.path.join(shots, 'web_native_options.png'))
        print(f'native picture: {picture[0]} x {picture[1]} on a {canvas_w} x {canvas_h} canvas:', native.path)
        n_left, n_right = native.picture_rect()
        for x0, x1 in ((0, n_left - 0.01), (n_right + 0.01, 1)):
            if native.lit(x0, 0, x1, 1, 8):
                fail('the bars beside the native picture are not black')
        if native.lit(n_left, 0.1, n_right, 0.9, 60) < 400:
            fail('the native options page is empty')
        native_options = read_options(driver)
        driver.refresh()
        wait_for_presents(driver, 260)
        if read_options(driver) != native_options:
            fail('native did not survive a reload')

        # Full effects on llvmpipe: the game is drawn without the glow layer.
        wait_for_presents(driver, 320)
        canvas = driver.find_element('id', 'canvas')
        presents = driver.execute_script('return Module._quivex_presents()')
        press(driver, Keys.RETURN)
        wait_for_presents(driver, presents + 240)
        full = Picture(canvas.screenshot_as_png, os.path.join(shots, 'web_game_full.png'))
        print('game picture with full effects:', full.path)
        if full.lit(left, 0, right, 1, 40) < 200:
            fail('the playfield is empty with full effects')
        glow = driver.execute_script('return Module._quivex_glow_layers()')
        if glow:
            fail(f'the light picture is drawn although the effects are full ({glow} glow layers)')
        print_rates('level 1, full effects', measure_rates(driver))

        errors = [e for e in console.read() if e['level'] == 'SEVERE']
        if errors:
            fail('errors on the console:\n' + '\n'.join(e['message'] for e in errors))
    finally:
        if driver:
            driver.quit()
        server.terminate()
        server.wait()
        subprocess.run(['rm', '-rf', profile])
    print('browser test passed')


if __name__ == '__main__':
    main()
