#!/usr/bin/python3
"""The boards page in headless Chromium: a server on 127.0.0.1 given a few runs shows each board and entry;
a replay downloaded through its link is the file uploaded, and the runner plays it to its recorded end.

usage: board_page_test.py QUIVEX_BOARD QUIVEX_SIM [SHOTS_DIR]"""
import http.client
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

BOARD, SIM = sys.argv[1:3]
TMP = tempfile.mkdtemp(prefix='board-page-')


def fail(message):
    print('FAILED: ' + message)
    sys.exit(1)


def wait_until(cond, what, bound=60):
    end = time.monotonic() + bound
    while time.monotonic() < end:
        if cond():
            return
        time.sleep(0.05)
    fail('timed out waiting for ' + what)


def call(port, method, path, body=None, token=None):
    c = http.client.HTTPConnection('127.0.0.1', port, timeout=30)
    c.request(method, path, body, {'Authorization': 'Bearer ' + token} if token else {})
    r = c.getresponse()
    return r.status, json.loads(r.read())


def main():
    log = os.path.join(TMP, 'server.log')
    server = subprocess.Popen([BOARD, '--db', os.path.join(TMP, 'boards.sqlite'), '--listen', '127.0.0.1:0',
                               '--runner', SIM], stderr=open(log, 'w'))
    driver = None
    try:
        wait_until(lambda: 'listening on 127.0.0.1:' in open(log).read(), 'the server to listen')
        port = int(open(log).read().split('listening on 127.0.0.1:')[1].split()[0])
        runs = {}
        for name, args in [('Ada', ['--start', 'full', '--bot', '--seed', '3', '--frames', '2400']),
                           ('Bo_b', ['--start', 'full', '--seed', '4', '--frames', '300'])]:
            path = os.path.join(TMP, name + '.qxr')
            subprocess.run([SIM, '--dir', os.path.join(TMP, 'rec-' + name), '--record', path] + args,
                           check=True, stdout=subprocess.DEVNULL)
            token = call(port, 'POST', '/api/players', json.dumps({'name': name}))[1]['token']
            status, data = call(port, 'POST', '/api/runs', open(path, 'rb').read(), token)
            if status != 202:
                fail('upload of %s: %s %s' % (name, status, data))
            runs[data['id']] = path
        wait_until(lambda: all(call(port, 'GET', '/api/runs/' + i)[1]['state'] == 'accepted' for i in runs),
                   'the runs to be accepted')

        downloads = os.path.join(TMP, 'downloads')
        os.makedirs(downloads)
        options = webdriver.ChromeOptions()
        options.binary_location = '/usr/bin/chromium'
        for arg in ('--headless=new', '--no-sandbox', '--window-size=1000,800', '--no-first-run',
                    '--disable-background-networking', '--disable-component-update', '--disable-sync',
                    '--user-data-dir=' + os.path.join(TMP, 'profile')):
            options.add_argument(arg)
        driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
        driver.execute_cdp_cmd('Page.setDownloadBehavior', {'behavior': 'allow', 'downloadPath': downloads})
        driver.get('http://127.0.0.1:%d/' % port)

        if [h.text for h in driver.find_elements(By.TAG_NAME, 'h2')] != ['Full game']:
            fail('the page shows the boards ' + str([h.text for h in driver.find_elements(By.TAG_NAME, 'h2')]))
        rows = [[td.text for td in tr.find_elements(By.TAG_NAME, 'td')]
                for tr in driver.find_elements(By.CSS_SELECTOR, '#full tbody tr')]
        board = call(port, 'GET', '/api/boards/full')[1]['top']
        for row, entry in zip(rows, board):
            want = ['%d' % entry['rank'], entry['player'], '%d points, level %d' % (entry['value']['score'],
                    entry['value']['level'])]
            if row[:3] != want or not row[3].endswith('UTC') or row[4] != 'replay':
                fail('row %s, not %s' % (row, want))
        if len(rows) != 2:
            fail('%d rows for 2 entries' % len(rows))
        if len(sys.argv) > 3:
            os.makedirs(sys.argv[3], exist_ok=True)
            driver.save_screenshot(os.path.join(sys.argv[3], 'board_page.png'))

        link = driver.find_elements(By.LINK_TEXT, 'replay')[0]
        run = link.get_attribute('href').rsplit('/', 1)[1][:-len('.qxr')]
        link.click()
        got = os.path.join(downloads, run + '.qxr')
        wait_until(lambda: os.path.exists(got) and not os.path.exists(got + '.crdownload'), 'the download')
        if open(got, 'rb').read() != open(runs[run], 'rb').read():
            fail('the downloaded replay is not the one uploaded')
        played = subprocess.run([SIM, '--dir', os.path.join(TMP, 'play'), '--replay', got], capture_output=True)
        if played.returncode != 0:
            fail('the runner did not play the downloaded replay to its end: %s' % played.stderr[-300:])
    finally:
        if driver:
            driver.quit()
        server.terminate()
        server.wait(30)
    shutil.rmtree(TMP, ignore_errors=True)
    print('board page: 2 entries shown, a replay downloaded and played to its end')


if __name__ == '__main__':
    main()
