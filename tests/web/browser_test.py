#!/usr/bin/python3
"""The browser build in headless Chromium: the menu after the warm-up, a game started from the keyboard,
a setting that survives a reload, and a console free of errors.

usage: browser_test.py WEB_BUILD_DIR SHOTS_DIR
Prints the pictures' paths and the frame rates it measured."""
import os
import struct
import subprocess
import sys
import tempfile
import time
import zlib

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

WIDTH, HEIGHT = 1200, 600  # wider than 4:3, so the picture has black bars on both sides


def decode_png(data):
    """RGBA or RGB rows of an 8-bit PNG, as (width, height, channels, rows of bytes)."""
    assert data[:8] == b'\x89PNG\r\n\x1a\n'
    pos, idat = 8, b''
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b'IHDR':
            w, h, depth, colour = struct.unpack('>IIBB', body[:10])
            assert depth == 8 and colour in (2, 6), 'unexpected PNG format'
            channels = 4 if colour == 6 else 3
        elif kind == b'IDAT':
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = w * channels
    rows, prev = [], bytearray(stride)
    for y in range(h):
        f = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = prev[i]
            c = prev[i - channels] if i >= channels else 0
            if f == 1:
                line[i] = (line[i] + a) & 255
            elif f == 2:
                line[i] = (line[i] + b) & 255
            elif f == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line))
        prev = line
    return w, h, channels, rows


class Picture:
    def __init__(self, png, path):
        with open(path, 'wb') as f:
            f.write(png)
        self.path = path
        self.w, self.h, self.ch, self.rows = decode_png(png)

    def brightness(self, x, y):
        i = x * self.ch
        r = self.rows[y]
        return max(r[i], r[i + 1], r[i + 2])

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


def measure_rates(driver, seconds=5):
    """Animation frames and game frames per second over a few seconds."""
    driver.execute_script('window.quivexRaf = 0; (function tick() { ++window.quivexRaf; '
                          'requestAnimationFrame(tick); })();')
    p0 = driver.execute_script('return Module._quivex_presents()')
    time.sleep(seconds)
    raf = driver.execute_script('return window.quivexRaf')
    p1 = driver.execute_script('return Module._quivex_presents()')
    return raf / seconds, (p1 - p0) / seconds


def read_settings(driver):
    return driver.execute_script(
        "try { return Array.from(FS.readFile('/quivex/quivex.cfg')); } catch (e) { return null; }")


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
                    f'--window-size={WIDTH},{HEIGHT}', '--disable-quic', '--no-first-run',
                    '--disable-background-networking', '--disable-component-update', '--disable-sync',
                    f'--user-data-dir={profile}'):
            options.add_argument(arg)
        options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
        driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
        driver.get(url)

        # The warm-up's 200 pictures (and the display test's 60 in full screen), then the menu.
        wait_for_presents(driver, 320)
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

        raf, pictures = measure_rates(driver)
        print(f'menu: {raf:.1f} animation frames/s, {pictures:.1f} game frames/s')

        # "start game" is the first item.
        press(driver, Keys.RETURN)
        time.sleep(4)
        game = Picture(canvas.screenshot_as_png, os.path.join(shots, 'web_game.png'))
        print('game picture:', game.path)
        if game.lit(0.3, 0.15, 0.7, 0.4, 200) > logo / 4:
            fail('the logo is still there after Return: no game started')
        if game.lit(left, 0, right, 1, 40) < 200:
            fail('the playfield is empty')
        raf, pictures = measure_rates(driver)
        print(f'game: {raf:.1f} animation frames/s, {pictures:.1f} game frames/s')

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

        # A setting changed on the options page is still there after a reload.
        driver.refresh()
        wait_for_presents(driver, 260)
        time.sleep(1)
        before = read_settings(driver)
        press(driver, Keys.DOWN, times=3)
        press(driver, Keys.RETURN)
        press(driver, Keys.RIGHT)  # "display:", the first item of the options page
        time.sleep(1.5)
        changed = read_settings(driver)
        if changed is None or changed == before:
            fail('changing the display on the options page saved nothing')
        driver.refresh()
        wait_for_presents(driver, 60)
        if read_settings(driver) != changed:
            fail('the changed setting did not survive a reload')
        print('a changed setting survived a reload')

        errors = [e for e in driver.get_log('browser') if e['level'] == 'SEVERE']
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
