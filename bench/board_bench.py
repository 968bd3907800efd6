#!/usr/bin/python3
"""quivex-board's figures on this machine, on 127.0.0.1: runs checked a second (upload, store, the runner's
check and the filing) with one worker and with two, for short and for whole-game replays; then the boards
page's latency while uploads keep two workers busy.

usage: board_bench.py QUIVEX_BOARD QUIVEX_SIM WORK_DIR"""
import concurrent.futures as cf
import http.client
import json
import os
import shutil
import sqlite3
import subprocess
import sys
import threading
import time

BOARD, SIM, WORK = sys.argv[1:4]


class Server:
    def __init__(self, name, workers):
        self.dir = os.path.join(WORK, name)
        shutil.rmtree(self.dir, ignore_errors=True)
        os.makedirs(self.dir)
        self.db = os.path.join(self.dir, 'boards.sqlite')
        log = os.path.join(self.dir, 'log')
        self.proc = subprocess.Popen([BOARD, '--db', self.db, '--listen', '127.0.0.1:0', '--runner', SIM,
                                      '--workers', str(workers), '--queue', '100000', '--uploads-per-minute', '0',
                                      '--address-uploads-per-minute', '0'], stderr=open(log, 'w'))
        while 'listening on 127.0.0.1:' not in open(log).read():
            if self.proc.poll() is not None:
                sys.exit('the server did not start: see ' + log)
            time.sleep(0.02)
        self.port = int(open(log).read().split('listening on 127.0.0.1:')[1].split()[0])
        self.tokens = [self.call('POST', '/api/players', json.dumps({'name': 'bench%02d' % i}))[1]['token']
                       for i in range(20)]

    def call(self, method, path, body=None, token=None):
        c = http.client.HTTPConnection('127.0.0.1', self.port, timeout=120)
        c.request(method, path, body, {'Authorization': 'Bearer ' + token} if token else {})
        r = c.getresponse()
        data = r.read()
        c.close()
        return r.status, (json.loads(data) if r.getheader('Content-Type', '').startswith('application/json') else data)

    def upload_all(self, files, threads=4):
        def one(i):
            status, data = self.call('POST', '/api/runs', open(files[i], 'rb').read(), self.tokens[i % 20])
            assert status == 202, (status, data)
        with cf.ThreadPoolExecutor(threads) as pool:
            list(pool.map(one, range(len(files))))

    def checking(self):
        with sqlite3.connect('file:%s?mode=ro' % self.db, uri=True) as db:
            return db.execute("SELECT COUNT(*) FROM runs WHERE state = 'checking'").fetchone()[0]

    def settle(self):
        while self.checking():
            time.sleep(0.01)

    def stop(self):
        self.proc.terminate()
        self.proc.wait(60)


def record(name, *args):
    path = os.path.join(WORK, 'replays', name + '.qxr')
    subprocess.run([SIM, '--dir', os.path.join(WORK, 'replays', 'sim-' + name), '--record', path] + list(args),
                   check=True, stdout=subprocess.DEVNULL)
    return path


def frames(path):
    out = subprocess.run([SIM, '--verify', path, '--dir', os.path.join(WORK, 'verify')], capture_output=True)
    return json.loads(out.stdout)['frames']


def checks_per_second(files, workers):
    s = Server('checks-%d' % workers, workers)
    start = time.monotonic()
    s.upload_all(files)
    s.settle()
    took = time.monotonic() - start
    s.stop()
    return len(files) / took


def percentile(values, p):
    values = sorted(values)
    return values[min(len(values) - 1, int(p / 100 * len(values)))]


def page_latency(files, busy):
    s = Server('page-%s' % ('busy' if busy else 'idle'), 2)
    s.upload_all(files[:60])  # a page of 20 players' entries to draw
    s.settle()
    stop = threading.Event()

    def uploads():
        for i in range(60, len(files)):
            if stop.is_set():
                return
            s.call('POST', '/api/runs', open(files[i], 'rb').read(), s.tokens[i % 20])
            while s.checking() > 4 and not stop.is_set():
                time.sleep(0.005)
    loader = threading.Thread(target=uploads)
    if busy:
        loader.start()
    times = []
    for _ in range(1000):
        start = time.monotonic()
        status, _ = s.call('GET', '/')
        times.append((time.monotonic() - start) * 1000)
        assert status == 200
    stop.set()
    if busy:
        loader.join()
    s.stop()
    return percentile(times, 50), percentile(times, 99)


def main():
    os.makedirs(os.path.join(WORK, 'replays'), exist_ok=True)
    with cf.ThreadPoolExecutor(2) as pool:
        short = list(pool.map(lambda i: record('short%d' % i, '--start', 'full', '--seed', str(i), '--frames', '300'),
                              range(400)))
        whole = list(pool.map(lambda i: record('whole%d' % i, '--start', 'full', '--bot', '--seed', str(i),
                                               '--frames', '36000'), range(40)))
    whole_frames = sum(frames(f) for f in whole) / len(whole)
    print('quivex-board on %d cores (%s)' % (os.cpu_count(), SIM))
    print('%-44s %10s %10s' % ('runs checked a second', '1 worker', '2 workers'))
    for label, files in [('short replays (300 frames)', short[:200]),
                         ('whole games (%d frames on average)' % whole_frames, whole)]:
        print('%-44s %10.1f %10.1f' % (label, checks_per_second(files, 1), checks_per_second(files, 2)))
    print('%-44s %10s %10s' % ('boards page latency (1000 requests)', 'p50 ms', 'p99 ms'))
    for busy in (False, True):
        p50, p99 = page_latency(short, busy)
        print('%-44s %10.1f %10.1f' % ('while uploads keep 2 workers busy' if busy else 'idle', p50, p99))


if __name__ == '__main__':
    main()
