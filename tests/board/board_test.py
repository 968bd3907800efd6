#!/usr/bin/python3
"""quivex-board against the real runner, on 127.0.0.1 only: refusals and hostile clients, limits, 200
uploads from 20 threads, and the server killed at 20 random moments of such a load.

usage: board_test.py QUIVEX_BOARD QUIVEX_SIM QUIVEX_FORGE [--sanitized [LOAD_SIM]]
A sanitizer build's runner takes half a second a check: there the loads are recorded and checked by
LOAD_SIM (the plain build's runner) when it is built; the server under test is the sanitized one."""
import concurrent.futures as cf
import http.client
import json
import os
import random
import shutil
import signal
import socket
import sqlite3
import subprocess
import sys
import tempfile
import threading
import time

BOARD, SIM, FORGE = sys.argv[1:4]
EXTRA = ['--runner-memory', '0'] if '--sanitized' in sys.argv else []  # ASan reserves terabytes
LOAD_SIM = sys.argv[5] if len(sys.argv) > 5 and os.access(sys.argv[5], os.X_OK) else SIM
TMP = tempfile.mkdtemp(prefix='board-test-')
FAILURES, CHECKS, SERVERS = [], [0], []


def check(ok, what):
    CHECKS[0] += 1
    if not ok:
        FAILURES.append(what)
        print('FAILED: ' + what, flush=True)


def wait_for(cond, what, bound=120):
    end = time.monotonic() + bound
    while time.monotonic() < end:
        if cond():
            return True
        time.sleep(0.05)
    check(False, 'timed out waiting for ' + what)
    return False


class Server:
    def __init__(self, name, *flags, runner=SIM):
        self.dir = os.path.join(TMP, name)
        os.makedirs(self.dir, exist_ok=True)
        self.db = os.path.join(self.dir, 'boards.sqlite')
        self.flags = ['--runner', runner] + list(flags) + EXTRA
        SERVERS.append(self)
        self.start()

    def start(self):
        self.log = os.path.join(self.dir, 'log-%d' % time.monotonic_ns())
        self.proc = subprocess.Popen([BOARD, '--db', self.db, '--listen', '127.0.0.1:0'] +
                                     self.flags, stderr=open(self.log, 'w'))
        wait_for(lambda: 'listening on 127.0.0.1:' in open(self.log).read() or self.proc.poll() is not None,
                 'the server to listen')
        self.port = int(open(self.log).read().split('listening on 127.0.0.1:')[1].split()[0])

    def stop(self):
        self.proc.terminate()
        check(self.proc.wait(60) == 0, 'the server stops cleanly (%s)' % self.log)

    def req(self, method, path, body=None, token=None, headers=None):
        h = dict(headers or {})
        if token:
            h['Authorization'] = 'Bearer ' + token
        c = http.client.HTTPConnection('127.0.0.1', self.port, timeout=60)
        try:
            c.request(method, path, body=body, headers=h)
            r = c.getresponse()
            data = r.read()
        finally:
            c.close()
        try:
            data = json.loads(data)
        except ValueError:
            pass
        return r.status, r, data

    def register(self, name):
        status, _, data = self.req('POST', '/api/players', json.dumps({'name': name}))
        check(status == 201, 'register %s: %s %s' % (name, status, data))
        return data.get('token')

    def upload(self, path, token):
        return self.req('POST', '/api/runs', open(path, 'rb').read(), token)

    def sql(self, query, *args):
        with sqlite3.connect('file:%s?mode=ro' % self.db, uri=True) as db:
            return db.execute(query, args).fetchall()

    def settled(self, ids, bound=120):
        wait_for(lambda: not self.sql("SELECT 1 FROM runs WHERE state = 'checking'"), 'checks to finish', bound)
        return {i: self.req('GET', '/api/runs/' + i)[2] for i in ids}

    def intact(self):
        check(self.sql('PRAGMA integrity_check') == [('ok',)], 'integrity_check of ' + self.db)
        check(self.proc.poll() is None, 'the server stays up (%s)' % self.log)


def record(name, *args, frames=300, sim=SIM):
    path = os.path.join(TMP, name + '.qxr')
    subprocess.run([sim, '--dir', os.path.join(TMP, 'sim-' + name), '--frames', str(frames), '--record', path] +
                   list(args), check=True, stdout=subprocess.DEVNULL)
    return path


def verdict(path):
    out = subprocess.run([SIM, '--verify', path, '--dir', os.path.join(TMP, 'verify')], capture_output=True)
    return json.loads(out.stdout)


def variant(path, name, offset, patch):
    data = bytearray(open(path, 'rb').read())
    data[offset:offset + len(patch)] = patch
    out = os.path.join(TMP, name + '.qxr')
    open(out, 'wb').write(data)
    return out


def raw(port, data, bound=10):
    """Sends bytes on a socket and returns what comes back before the server closes it."""
    s = socket.create_connection(('127.0.0.1', port), timeout=bound)
    got = b''
    try:
        s.sendall(data)
    except OSError:
        pass
    try:
        while chunk := s.recv(65536):
            got += chunk
    except OSError:
        pass
    s.close()
    return got


def hostile(run, forged):
    """Every refusal and hostile client a public board meets; the boards must come out as they went in."""
    s = Server('hostile', '--allow-origin', 'http://127.0.0.1:8000', '--io-timeout', '2', '--request-timeout', '3',
               '--uploads-per-minute', '0', '--address-uploads-per-minute', '0')
    alice, bob = s.register('alice'), s.register('Bob.the-2nd')
    for name, status in [('ab', 400), ('x' * 17, 400), ("Robert'); DROP TABLE players--", 400),
                         ('<script>', 400), ('ALICE', 409), ('a b', 400), ('\u00fcber', 400)]:
        got = s.req('POST', '/api/players', json.dumps({'name': name}))[0]
        check(got == status, 'the name %r: %s, not %s' % (name, got, status))
    check(s.req('POST', '/api/players', b'{"name":')[0] == 400, 'broken JSON is refused')

    # Ranks: best score first; a player's own best run is their entry; ties go to the earlier upload.
    ids, entry = {}, {}
    for n, (who, path) in enumerate([('alice', run[0]), ('Bob.the-2nd', run[1]), ('alice', run[2]),
                                      ('Bob.the-2nd', run[3])]):
        status, _, data = s.upload(path, alice if who == 'alice' else bob)
        check(status == 202 and data['state'] == 'checking', 'upload of %s: %s %s' % (path, status, data))
        ids[path] = data['id']
        out = verdict(path)['outcome']
        entry[who] = max(entry.get(who, ()), (out['score'], out['level'], -n, data['id']))
    runs = s.settled(ids.values())
    for p, i in ids.items():
        check(runs[i]['state'] == 'accepted' and runs[i]['board'] == 'full' and
              runs[i]['value'] == verdict(p)['outcome'], 'run %s filed as its verdict: %s' % (p, runs[i]))
    board = s.req('GET', '/api/boards/full?top=10&player=bob.THE-2nd')[2]
    order = sorted(entry, key=lambda w: entry[w], reverse=True)
    check([(e['player'], e['run']) for e in board['top']] == [(w, entry[w][3]) for w in order] and board['of'] == 2,
          'the full board ranks each player by their best run: %s' % board)
    check(board['player']['rank'] == order.index('Bob.the-2nd') + 1, 'a player finds their own rank')
    before = s.req('GET', '/api/boards?top=1000')[2]

    # The same bytes again: the first upload's state for its player, refused for anyone else.
    status, _, data = s.upload(run[0], alice)
    check(status == 200 and data['id'] == ids[run[0]] and data['state'] == 'accepted', 'resend: %s' % data)
    status, _, data = s.upload(run[0], bob)
    check(status == 409 and data['reason'] == 'a copy of a run already on file', 'copy: %s %s' % (status, data))

    # Refused before anything is stored, then refused from the runner's own verdict.
    header = open(run[0], 'rb').read()[:64]
    for body, token, status, reason in [(b'hello', alice, 422, 'not a replay'), (b'', alice, 422, 'not a replay'),
                                        (header + b'\0' * (1 << 20), alice, 413, 'too big'),
                                        (header, None, 401, 'unknown token'), (header, 'f' * 64, 401, 'unknown token'),
                                        (header, alice[:-1] + 'x', 401, 'unknown token')]:
        got, _, data = s.req('POST', '/api/runs', body, token)
        check(got == status and data['reason'].startswith(reason), 'refusal %s: %s %s' % (reason, got, data))
    cut = variant(run[1], 'cut', 0, b'')
    os.truncate(cut, 200)
    refusals = [record('immortal', '--seed', '77', '--start', 'full', '--immortal'), cut,
                variant(run[0], 'other-version', 8, b'\x63'), variant(run[0], 'other-end', 20, b'\x55' * 8),
                variant(run[0], 'damaged', 100, b'\xff' * 64)]
    refusals += [forged[w] for w in ('boss-hp', 'lives', 'clock', 'long-pause') if w in forged]
    sent = {path: s.upload(path, bob) for path in refusals}
    got = s.settled([data['id'] for _, _, data in sent.values()])
    for path, (status, _, data) in sent.items():
        want, got_ = verdict(path), got[data['id']]
        check(status == 202 and got_['state'] == 'refused' and want['verdict'] != 'valid' and
              (want['reason'] or '') in got_['reason'], 'refusal of %s: %s (verdict %s)' % (path, got_, want))
    refused_id = data['id']

    # Ids and paths: only 32 hex digits name a run; a refused run has no replay to fetch.
    for path, status in [('/api/runs/../../etc/passwd', (400, 404)), ('/api/runs/%2e%2e%2fboards.sqlite', (400,)),
                         ('/runs/..%2fboards.sqlite', (400, 404)), ('/runs/' + ids[run[0]].upper() + '.qxr', (400,)),
                         ('/api/runs/' + '0' * 32, (404,)), ('/api/boards/..%2f', (404,)),
                         ('/api/boards/full?top=-1', (400,)), ('/runs/%s.qxr' % refused_id, (404,))]:
        got = s.req('GET', path)[0]
        check(got in status, '%s: %s' % (path, got))
    check(s.req('GET', '/runs/%s.qxr' % ids[run[0]])[2] == open(run[0], 'rb').read(), 'an entry\'s replay')

    # Malformed, oversized and slow clients, by hand.
    token_line = ('Authorization: Bearer %s\r\n' % alice).encode()
    for data, status in [(b'GARBAGE\r\n\r\n', b'400'), (b'GET / HTTP/1.1\r\nX: ' + b'a' * 20000 + b'\r\n\r\n', b'400'),
                         (b'GET /' + b'a' * 9000 + b' HTTP/1.1\r\n\r\n', b'414'),
                         (b'POST /api/runs HTTP/1.1\r\n' + token_line + b'Content-Length: 99999999999\r\n\r\nQXRP', b'413'),
                         (b'POST /api/runs HTTP/1.1\r\n' + token_line + b'Transfer-Encoding: chunked\r\n\r\n' +
                          (b'10000\r\n' + b'Q' * 0x10000 + b'\r\n') * 17 + b'0\r\n\r\n', b'413')]:
        got = raw(s.port, data)
        check(got.startswith(b'HTTP/1.1 ' + status), 'raw %r...: %r' % (data[:40], got[:60]))
    slow = socket.create_connection(('127.0.0.1', s.port), timeout=0.4)
    dropped = False
    for n, ch in enumerate(b'GET / HTTP/1.1\r\nX-Slow: ' + b'z' * 60):  # a byte every 0.4 s: no read stalls long
        if n == 2:
            check(s.req('GET', '/')[0] == 200, 'another client is served meanwhile')
        try:
            slow.send(bytes([ch]))
            slow.recv(1)  # the server's answer or its close, whichever
            dropped = True
            break
        except socket.timeout:
            continue
        except OSError:
            dropped = True
            break
    check(dropped, 'a client trickling its headers is dropped')

    # Cross-origin: the game's page may call the API, other pages may not; one player cannot withdraw another's run.
    h = {'Origin': 'http://127.0.0.1:8000', 'Access-Control-Request-Method': 'POST'}
    r = s.req('OPTIONS', '/api/runs', headers=h)[1]
    check(r.getheader('Access-Control-Allow-Origin') == 'http://127.0.0.1:8000' and
          'Authorization' in r.getheader('Access-Control-Allow-Headers', ''), 'preflight from the game\'s page')
    r = s.req('OPTIONS', '/api/runs', headers=dict(h, Origin='http://127.0.0.1:9999'))[1]
    check(r.getheader('Access-Control-Allow-Origin') is None, 'no CORS for other origins')
    check(s.req('DELETE', '/api/runs/' + ids[run[0]], token=bob)[0] == 403, 'bob cannot withdraw alice\'s run')
    check(s.req('GET', '/api/boards?top=1000')[2] == before, 'the boards are as they were')
    s.intact()

    status, _, data = s.req('DELETE', '/api/runs/' + ids[run[0]], token=alice)
    check(status == 200 and data['state'] == 'refused', 'alice withdraws her run: %s' % data)
    top = s.req('GET', '/api/boards/full?player=alice')[2]['player']
    check(top['run'] == ids[run[2]], 'her other run is her entry now: %s' % top)
    removed = subprocess.run([BOARD, '--db', s.db, '--remove', ids[run[1]]], stderr=subprocess.DEVNULL).returncode
    check(removed == 0 and s.req('GET', '/api/runs/' + ids[run[1]])[2]['reason'] == "removed by the board's keepers"
          and s.req('GET', '/api/boards/full?player=bob.the-2nd')[2]['player']['run'] == ids[run[3]],
          'the keepers remove a run while the server runs')

    # The page escapes names even though the name rules let no markup in (one written straight to the file).
    s.stop()
    with sqlite3.connect(s.db) as db:
        db.execute("UPDATE players SET name = '<b>\"x''&amp;' WHERE name = 'alice'")
    s.start()
    page = s.req('GET', '/')[2].decode()
    check('&lt;b&gt;&quot;x&#39;&amp;amp;' in page and '<b>' not in page, 'the page escapes names')
    s.intact()
    s.stop()


def limits(run, forged):
    """Uploads past the per-minute limits, a full check queue, and a check stopped by its limits."""
    s = Server('limits', '--uploads-per-minute', '2', '--address-uploads-per-minute', '12', '--queue', '1',
               '--workers', '1', '--check-seconds', '1', '--check-frames-per-second', '100000000')
    carol, dave, erin = s.register('carol'), s.register('dave'), s.register('erin')
    slow = forged.get('slow')
    if slow:
        status, _, first = s.upload(slow, carol)
        check(status == 202, 'the slow file is taken: %s' % first)
        status, r, data = s.upload(run[5], dave)
        check(status == 503 and data['reason'].startswith('busy, retry after') and r.getheader('Retry-After'),
              'a full queue refuses at once: %s %s' % (status, data))
        check(len(s.sql('SELECT id FROM runs')) == 1, 'nothing stored for the busy refusal')
        got = s.settled([first['id']], bound=60)[first['id']]
        check(got['state'] == 'refused' and got['reason'] == 'the check exceeded its limits', 'slow: %s' % got)
    statuses = []
    for p in run[6:9]:
        statuses.append(s.upload(p, erin)[0])
        s.settled([])
    check(statuses == [202, 202, 429], 'two uploads a minute: %s' % statuses)
    for i in range(12):
        status, r, data = s.req('POST', '/api/players', json.dumps({'name': 'extra%d' % i}))
        if status == 429:
            break
    check(status == 429 and data['reason'] == 'too many requests' and int(r.getheader('Retry-After')) > 0,
          'twelve requests a minute from one address: %s %s' % (status, data))
    s.intact()
    s.stop()


def load(runs, tokens, s, answered, lock, stop=None, each=None):
    """Uploads the runs not yet answered (each thread at most `each`), from 20 threads, each as its player."""
    todo = [i for i in range(len(runs)) if i not in answered]

    def worker(k):
        for i in todo[k::20][:each]:
            if stop and stop.is_set():
                return
            try:
                status, _, data = s.upload(runs[i], tokens[i % 20])
            except OSError:
                return
            if status in (200, 202):
                with lock:
                    answered[i] = data['id']
            else:
                check(False, 'upload %d: %s %s' % (i, status, data))
    with cf.ThreadPoolExecutor(20) as pool:
        list(pool.map(worker, range(20)))


def kept(s, runs, answered, what):
    states = s.settled(answered.values())
    check(len(answered) == len(runs) and all(v['state'] == 'accepted' for v in states.values()),
          '%s: all %d runs accepted (%d answered)' % (what, len(runs), len(answered)))
    rows = s.sql("SELECT COUNT(*), COUNT(DISTINCT sha256) FROM runs WHERE state = 'accepted'")[0]
    check(rows == (len(runs), len(runs)), '%s: each run kept once: %s' % (what, rows))
    check(s.req('GET', '/api/boards/full')[2]['of'] == 20, '%s: 20 players on the board' % what)
    s.intact()


def timed(what, start):
    print('%s: %.1f s' % (what, time.monotonic() - start), flush=True)
    return time.monotonic()


def main():
    start = time.monotonic()
    with cf.ThreadPoolExecutor(2) as pool:
        runs = list(pool.map(lambda i: record('seed%d' % i, '--seed', str(i), '--start', 'full', sim=LOAD_SIM),
                             range(200)))
        bots = list(pool.map(lambda i: record('bot%d' % i, '--seed', str(i), '--start', 'full', '--bot', frames=2400),
                             range(4)))
    forged = {}
    if FORGE:
        for what in ('boss-hp', 'lives', 'clock', 'long-pause', 'slow'):
            forged[what] = os.path.join(TMP, 'forged-%s.qxr' % what)
            subprocess.run([FORGE, what, forged[what]], check=True, stdout=subprocess.DEVNULL)
    else:
        print('NOTE: no quivex-forge: forged starts and the slow file are not tried')
    start = timed('replays recorded', start)
    hostile(bots, forged)
    start = timed('refusals and hostile clients', start)
    limits(runs, forged)
    start = timed('limits', start)

    open_flags = ['--uploads-per-minute', '0', '--address-uploads-per-minute', '0', '--queue', '1000']
    s, lock = Server('load', *open_flags, runner=LOAD_SIM), threading.Lock()
    tokens, answered = [s.register('player%02d' % i) for i in range(20)], {}
    load(runs, tokens, s, answered, lock)
    kept(s, runs, answered, 'load')
    s.stop()
    start = timed('200 uploads from 20 threads', start)

    # Killed at random moments of the same load, 20 times, uploads paced so that kills meet them as well as
    # checks; each start checks what was left checking.
    s, answered, rng = Server('kills', *open_flags, runner=LOAD_SIM), {}, random.Random(int(os.environ.get('BOARD_SEED', '1')))
    tokens = [s.register('player%02d' % i) for i in range(20)]
    for _ in range(20):
        stop = threading.Event()
        t = threading.Thread(target=load, args=(runs, tokens, s, answered, lock, stop, 1))
        t.start()
        time.sleep(rng.uniform(0.005, 0.15))
        s.proc.kill()
        s.proc.wait()
        stop.set()
        t.join()
        s.start()
    load(runs, tokens, s, answered, lock)
    kept(s, runs, answered, 'kills')
    s.stop()
    timed('20 kills under load', start)

    print('board_test: %d checks, %d failed' % (CHECKS[0], len(FAILURES)))
    if not FAILURES:
        shutil.rmtree(TMP, ignore_errors=True)
    return 1 if FAILURES else 0


if __name__ == '__main__':
    try:
        sys.exit(main())
    finally:
        for server in SERVERS:
            if server.proc.poll() is None:
                server.proc.kill()
