#!/usr/bin/python3
"""The player's files under kills and refused writes, on the headless runner.

  saves_test.py SIM kills [--kills N]   SIGKILL at N moments of the save paths (strace stops the runner at
                                        the chosen system call); every file must then be its old or a
                                        new content, and the next start must read them all
  saves_test.py SIM refused             saves whose writes fail part-way (injected errors, a file size
                                        limit, a small filesystem): the old file stays whole, one line
                                        goes to err.log, the game carries on and a later save succeeds

The runner is deterministic, so the N-th call of a system call in one run is the same moment in the next.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile

# Every file the game keeps: settings, options, records, the last and best games and each record's replay.
REPLAYS = ['replays/%s.qxr' % n for n in ['last', 'best'] + ['%s-%d' % (k, l) for k in ('level', 'boss')
                                                              for l in range(1, 5)] + ['rush']]
FILES = ['quivex.cfg', 'options.cfg', 'records.cfg'] + REPLAYS
TRACED = ['openat', 'write', 'fsync', 'close', 'rename', 'mkdir', 'unlink']
# LeakSanitizer stops the world with ptrace, which a traced process cannot.
ENV = dict(os.environ, ASAN_OPTIONS=os.environ.get('ASAN_OPTIONS', '') + ':detect_leaks=0')


def taps(*codes):
    """A key script tapping the DirectInput key codes given, one every 4 frames from frame 2."""
    lines = []
    for i, code in enumerate(codes):
        lines += ['%d +%d' % (2 + 4 * i, code), '%d -%d' % (4 + 4 * i, code)]
    return '\n'.join(lines) + '\n'


DOWN, UP, LEFT, RIGHT, RETURN = 208, 200, 203, 205, 28
# The options page (display, windowed, resolution, effects, smoothing, redefine input, credits, music
# volume, effects volume): the display three times, the music volume down and up, the effects volume
# down, then the effects: every tap saves quivex.cfg or options.cfg.
TOUR = taps(DOWN, DOWN, DOWN, RETURN, RIGHT, RIGHT, LEFT, *[DOWN] * 7, *[LEFT] * 10, *[RIGHT] * 8,
            DOWN, *[LEFT] * 8, *[UP] * 5, RIGHT, RIGHT)
SCENARIOS = {
    # name: runner arguments, how many times the uninterrupted run must have saved each file (quivex.cfg
    # is saved once at start-up)
    'tour': (['--frames', str(4 * TOUR.count('+') + 10), '--keys', 'tour.keys'],
             {'quivex.cfg': 4, 'options.cfg': 24}),
    # a level practice and a boss practice to their reports and ends, then a boss rush: a record each
    'records': (['--frames', '50000', '--start', 'level', '1', '--start', 'boss', '1', '--start', 'rush',
                 '--bot', '--immortal'],
                {'quivex.cfg': 1, 'records.cfg': 3, 'replays/level-1.qxr': 1, 'replays/boss-1.qxr': 1,
                 'replays/rush.qxr': 1, 'replays/last.qxr': 3}),
    'over': (['--frames', '6300', '--start', 'full', '--bot'],
             {'quivex.cfg': 2, 'records.cfg': 1, 'replays/last.qxr': 1, 'replays/best.qxr': 1}),
    # a full game left alone: over in 2062 frames with no score, so no best replay is kept
    'lost': (['--frames', '2100', '--start', 'full'], {'quivex.cfg': 2, 'records.cfg': 1, 'replays/last.qxr': 1}),
}
# The calls of a save from its rename on, and the one after the save.
STEPS_AFTER_RENAME = ['rename', 'open folder', 'sync folder', 'close folder', 'after']
CALL = re.compile(r'^(\w+)\((.*)\)\s+= (-?\d+)')


def fail(message):
    print('FAIL: ' + message)
    sys.exit(1)


def read(path):
    try:
        with open(path, 'rb') as f:
            return f.read()
    except FileNotFoundError:
        return None


def files_of(folder):
    return {name: read(os.path.join(folder, name)) for name in FILES}


def run(sim, folder, scenario, strace=None, prlimit=None):
    args, _ = SCENARIOS[scenario]
    command = [sim, '--dir', folder] + [os.path.join(folder, a) if a.endswith('.keys') else a for a in args]
    if strace is not None:
        command = ['strace', '-o', strace[0]] + strace[1:] + ['--'] + command
    if prlimit is not None:
        command = ['prlimit', '--fsize=%d' % prlimit, '--'] + command
    return subprocess.run(command, env=ENV, stdout=subprocess.PIPE, stderr=subprocess.PIPE)


def make_seed(sim, seed, copies=REPLAYS[1:]):
    """Old files of every kind: a lost game's settings and replay (also as the best and, unless `copies`
    says fewer, every record's), other volumes, records that any game beats."""
    os.makedirs(seed)
    if run(sim, seed, 'lost').returncode != 0:
        fail('the runner could not play a game to make the old files')
    for name in copies:
        shutil.copy(os.path.join(seed, 'replays/last.qxr'), os.path.join(seed, name))
    with open(os.path.join(seed, 'options.cfg'), 'w') as f:
        f.write('music_volume = 6\neffects_volume = 9\neffects = auto\n')
    with open(os.path.join(seed, 'records.cfg'), 'w') as f:
        f.write('level_1_collected = 0\nlevel_1_held = 0\nboss_1_frames = 216000\nrush_frames = 216000\n')
    with open(os.path.join(seed, 'tour.keys'), 'w') as f:
        f.write(TOUR)
    os.remove(os.path.join(seed, 'err.log'))


def fresh(seed, folder):
    shutil.rmtree(folder, ignore_errors=True)
    shutil.copytree(seed, folder)


def strings(args):
    """The quoted strings of a call's arguments, which strace -xx writes as hex escapes."""
    return [bytes.fromhex(s.replace('\\x', '')) for s in re.findall(r'"((?:\\x[0-9a-f]{2})*)"', args)]


class Trace:
    """An uninterrupted run's traced calls, and every save found in them: which file, the calls from
    opening its temporary file to syncing its folder, and the content it wrote."""

    def __init__(self, log):
        counts = {}
        self.calls = []  # (name, ordinal among calls of that name, arguments, result)
        for line in open(log):
            m = CALL.match(line)
            if not m or m.group(1) not in TRACED:
                continue
            name = m.group(1)
            counts[name] = counts.get(name, 0) + 1
            self.calls.append((name, counts[name], m.group(2), int(m.group(3))))
        self.saves = []  # (file, first call, last call, content)
        open_fds, content = {}, {}
        for i, (name, _, args, result) in enumerate(self.calls):
            if name == 'openat' and result >= 0:
                path = strings(args)[0].decode()
                if path.endswith('.tmp'):
                    open_fds[result] = (path[:-4], i)
                    content[result] = b''
            elif name == 'write' and int(args.split(',')[0]) in open_fds:
                content[int(args.split(',')[0])] += strings(args)[0]
            elif name == 'rename' and result == 0:
                target = strings(args)[1].decode()
                fd = next(fd for fd, (path, _) in open_fds.items() if path == target)
                first = open_fds.pop(fd)[1]
                if first > 0 and self.calls[first - 1][0] == 'mkdir':  # the replays' folder made first
                    first -= 1
                last = i + 3  # then the folder is opened, synced and closed
                if [c[0] for c in self.calls[i + 1:last + 1]] != ['openat', 'fsync', 'close']:
                    fail('the save of %s does not sync its folder after the rename' % target)
                self.saves.append((target, first, last, content.pop(fd)))

    def versions(self, name):
        return [c for f, _, _, c in self.saves if f == name]


def reference(sim, seed, work, scenario):
    folder = os.path.join(work, 'ref-' + scenario)
    fresh(seed, folder)
    log = folder + '.strace'
    result = run(sim, folder, scenario, [log, '-s', '1000000', '-xx', '-e', 'trace=' + ','.join(TRACED)])
    if result.returncode != 0:
        fail('%s: the uninterrupted run failed:\n%s' % (scenario, result.stderr.decode(errors='replace')))
    trace = Trace(log)
    saved = {name: len(trace.versions(name)) for name in FILES if trace.versions(name)}
    if saved != SCENARIOS[scenario][1]:
        fail('%s: the uninterrupted run saved %s, not %s' % (scenario, saved, SCENARIOS[scenario][1]))
    for name in saved:
        if read(os.path.join(folder, name)) != trace.versions(name)[-1]:
            fail('%s: the uninterrupted run did not save %s as traced' % (scenario, name))
    return trace, folder


def next_start_reads(sim, folder):
    """A start after the kill: it saves quivex.cfg from what it read, so the file comes back unchanged
    when nothing was lost, and it logs no complaint about any file."""
    before = read(os.path.join(folder, 'quivex.cfg'))
    result = subprocess.run([sim, '--dir', folder, '--frames', '2'], env=ENV, stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE)
    log = (read(os.path.join(folder, 'err.log')) or b'').decode(errors='replace')
    if result.returncode != 0 or 'could not' in log or 'replay' in log:
        return 'the next start failed or complained:\n' + log
    if before is not None and read(os.path.join(folder, 'quivex.cfg')) != before:
        return 'the next start read quivex.cfg with a loss'
    return None


def kills(sim, work, count):
    seed = os.path.join(work, 'seed')
    make_seed(sim, seed)
    old = files_of(seed)
    groups = {}  # label (file and step) -> moments [(scenario, syscall, ordinal)]
    versions = {name: set() for name in FILES}
    saves = 0
    for scenario in ('tour', 'records', 'over'):
        trace, _ = reference(sim, seed, work, scenario)
        saves += len(trace.saves)
        for name, first, last, content in trace.saves:
            versions[name].add(content)
            for i in range(first, min(last + 2, len(trace.calls))):  # and the call after the save
                call = trace.calls[i]
                step = STEPS_AFTER_RENAME[i - (last - 3)] if i > last - 3 else {'openat': 'open'}.get(call[0], call[0])
                moment = (scenario, call[0], call[1])
                # The call after a save may begin the next one: it is a step of that one, and killed once.
                if step == 'after' and any(f <= i <= l for _, f, l, _ in trace.saves):
                    continue
                groups.setdefault('%s %s' % (name, step), []).append(moment)
    # Every step of every file before a second kill at any of them, the files taken in turn and each
    # starting at another step (so a few kills reach every file and every step), each group's kills
    # spread over it.
    total = sum(len(g) for g in groups.values())
    if total < count:
        fail('only %d moments on the save paths, %d asked for' % (total, count))
    steps = [[label for label in groups if label.split(' ')[0] == name] for name in FILES]
    steps = [s[i % len(s):] + s[:i % len(s)] for i, s in enumerate(filter(None, steps))]
    order = [file_steps[r] for r in range(max(map(len, steps))) for file_steps in steps if r < len(file_steps)]
    picks = {label: 0 for label in order}
    while sum(picks.values()) < count:
        for label in order:
            if picks[label] < len(groups[label]) and sum(picks.values()) < count:
                picks[label] += 1
    chosen = [(label, groups[label][k * len(groups[label]) // n]) for label, n in picks.items() for k in range(n)]
    if len(set(moment for _, moment in chosen)) != count:  # a moment of a deterministic run killed twice
        fail('the %d kills do not fall on distinct moments' % count)
    for name in FILES:
        for content in versions[name]:
            if name.endswith('.qxr'):  # every version kept is a replay that plays to its recorded end
                path = os.path.join(work, 'version.qxr')
                open(path, 'wb').write(content)
                if subprocess.run([sim, '--replay', path, '--dir', os.path.join(work, 'replay-check')],
                                  env=ENV, stdout=subprocess.DEVNULL).returncode != 0:
                    fail('a replay the game kept does not play back')
    tally = {name: {'old': 0, 'new': 0, 'broken': 0} for name in FILES}
    kinds = {}
    folder = os.path.join(work, 'killed')
    for label, (scenario, call, ordinal) in chosen:
        fresh(seed, folder)
        result = run(sim, folder, scenario,
                     ['/dev/null', '-e', 'trace=' + call, '-e', 'inject=%s:signal=KILL:when=%d' % (call, ordinal)])
        if result.returncode != -9:
            fail('%s: no kill at %s #%d (exit %d): the runs are not the same' % (scenario, call, ordinal,
                                                                                result.returncode))
        for name, content in files_of(folder).items():
            state = 'old' if content == old[name] else 'new' if content in versions[name] else 'broken'
            tally[name][state] += 1
            if state == 'broken':
                print('broken: %s after a kill at %s (%s, %s #%d)' % (name, label, scenario, call, ordinal))
        problem = next_start_reads(sim, folder)
        if problem:
            fail('after a kill at %s (%s): %s' % (label, scenario, problem))
        step = label.split(' ', 1)[1]
        kinds[step] = kinds.get(step, 0) + 1
    print('%d kills, at %d of the %d moments of %d saves:' % (count, count, total, saves))
    for step in ['mkdir', 'open', 'write', 'fsync', 'close', 'rename'] + STEPS_AFTER_RENAME[1:]:
        if step in kinds:
            print('  %3d at %s' % (kinds[step], step))
    print('files after them:        old   new  broken')
    saved = [name for name in FILES if versions[name]]  # the others are never touched
    for name in saved:
        print('  %-20s %5d %5d %5d' % (name, tally[name]['old'], tally[name]['new'], tally[name]['broken']))
    total = {state: sum(tally[name][state] for name in FILES) for state in ('old', 'new', 'broken')}
    print('  %-20s %5d %5d %5d' % ('all %d files' % len(FILES), total['old'], total['new'], total['broken']))
    if total['broken']:
        fail('a kill left a file broken')


def check_refused(case, folder, name, old, error, result):
    log = (read(os.path.join(folder, 'err.log')) or b'').decode(errors='replace')
    lines = [line for line in log.splitlines() if line.startswith('could not save')]
    problems = []
    if result.returncode != 0 or b'hash:' not in result.stdout:
        problems.append('the game did not carry on (exit %d)' % result.returncode)
    if read(os.path.join(folder, name)) != old:
        problems.append('%s is not its old content' % name)
    if lines != ['could not save %s: %s' % (name, error)]:
        problems.append('err.log says %r' % lines)
    if os.path.exists(os.path.join(folder, name + '.tmp')):
        problems.append('the temporary file is left')
    if problems:
        fail('%s: %s' % (case, '; '.join(problems)))
    print('%-44s the game carries on; %s stays whole; err.log: "%s"' % (case, name, lines[0]))


def later_save(sim, folder, scenario, name, case):
    """The same play again in the same folder, where nothing fails: the file is saved anew."""
    stamp = lambda: (os.stat(os.path.join(folder, name)).st_ino, os.stat(os.path.join(folder, name)).st_mtime_ns)
    before = stamp()
    result = run(sim, folder, scenario)
    if result.returncode != 0 or stamp() == before:
        fail('%s: a later save of %s did not succeed (exit %d):\n%s' % (case, name, result.returncode,
                                                                     result.stderr.decode(errors='replace')))
    if next_start_reads(sim, folder):
        fail('%s: the files after the later save do not read back' % case)


def refused(sim, work, inside):
    seed = os.path.join(work, 'seed')
    make_seed(sim, seed, ['replays/best.qxr'])  # a small filesystem holds them
    cases = [
        # case, scenario, file, which call of its last save fails, errno, strerror
        ('disk full writing quivex.cfg', 'tour', 'quivex.cfg', 'write', 'ENOSPC', 'No space left on device'),
        ('folder refusing options.cfg', 'tour', 'options.cfg', 'openat', 'EACCES', 'Permission denied'),
        ('sync failing on options.cfg', 'tour', 'options.cfg', 'fsync', 'EIO', 'Input/output error'),
        ('rename refused for quivex.cfg', 'tour', 'quivex.cfg', 'rename', 'EACCES', 'Permission denied'),
        ('disk full half-way through last.qxr', 'lost', 'replays/last.qxr', 'write#2', 'ENOSPC',
         'No space left on device'),
    ]
    traces = {}
    for case, scenario, name, step, errno_name, error in cases:
        if scenario not in traces:
            traces[scenario] = reference(sim, seed, work, scenario)[0]
        trace = traces[scenario]
        _, first, last, _ = [s for s in trace.saves if s[0] == name][-1]
        call, nth = (step.split('#') + ['1'])[:2]
        ordinal = [c[1] for c in trace.calls[first:last + 1] if c[0] == call][int(nth) - 1]
        earlier = trace.versions(name)[:-1]
        old = earlier[-1] if earlier else read(os.path.join(seed, name))
        folder = os.path.join(work, 'refused')
        fresh(seed, folder)
        result = run(sim, folder, scenario, ['/dev/null', '-e', 'trace=' + call,
                                             '-e', 'inject=%s:error=%s:when=%d' % (call, errno_name, ordinal)])
        check_refused(case, folder, name, old, error, result)
        later_save(sim, folder, scenario, name, case)

    # A real limit, set with setrlimit: the replay outgrows it, the settings do not.
    case = 'file size limit of 2 KB (setrlimit)'
    folder = os.path.join(work, 'refused')
    fresh(seed, folder)
    old = read(os.path.join(seed, 'replays/last.qxr'))
    check_refused(case, folder, 'replays/last.qxr', old, 'File too large', run(sim, folder, 'lost', prlimit=2048))
    later_save(sim, folder, 'lost', 'replays/last.qxr', case)

    # A small filesystem, full but for one page: the settings fit, a replay does not.
    case = 'filesystem full but for 4 KB (tmpfs)'
    if not inside:
        print('%-44s skipped: no tmpfs can be mounted here (user namespaces refused)' % case)
        return
    folder = os.path.join(work, 'small')
    os.makedirs(folder)
    subprocess.run(['mount', '-t', 'tmpfs', '-o', 'size=64k', 'quivex-small', folder], check=True)
    try:
        for entry in os.listdir(seed):
            (shutil.copytree if os.path.isdir(os.path.join(seed, entry)) else shutil.copy)(
                os.path.join(seed, entry), os.path.join(folder, entry))
        with open(os.path.join(folder, 'filler'), 'wb') as f:  # leaves a page for err.log, one to save in
            free = os.statvfs(folder).f_bavail * os.statvfs(folder).f_frsize
            f.write(b'\0' * (free - 8192))
        check_refused(case, folder, 'replays/last.qxr', old, 'No space left on device', run(sim, folder, 'lost'))
        os.remove(os.path.join(folder, 'filler'))
        later_save(sim, folder, 'lost', 'replays/last.qxr', case)
    finally:
        subprocess.run(['umount', folder])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('sim')
    parser.add_argument('mode', choices=['kills', 'refused'])
    parser.add_argument('--kills', type=int, default=24)
    parser.add_argument('--inside', action='store_true', help=argparse.SUPPRESS)
    options = parser.parse_args()
    sim = os.path.abspath(options.sim)
    if subprocess.run(['strace', '-o', '/dev/null', 'true'], stderr=subprocess.DEVNULL).returncode != 0:
        print('skipped: strace cannot trace processes on this machine')
        sys.exit(77)
    if options.mode == 'refused' and not options.inside:
        # In a user and mount namespace of its own, where a tmpfs can be mounted without root.
        probe = subprocess.run(['unshare', '--user', '--map-root-user', '--mount', 'true'],
                               stderr=subprocess.DEVNULL)
        if probe.returncode == 0:
            os.execvp('unshare', ['unshare', '--user', '--map-root-user', '--mount', sys.executable,
                                  os.path.abspath(__file__), sim, 'refused', '--inside'])
    with tempfile.TemporaryDirectory(prefix='quivex-saves-') as work:
        if options.mode == 'kills':
            kills(sim, work, options.kills)
        else:
            refused(sim, work, options.inside)


if __name__ == '__main__':
    main()
