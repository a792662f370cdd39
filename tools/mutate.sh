#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
""":"
exec python3 "$0" "$@"
"""
# Mutation testing: puts one single-token fault at a time into the C++ sources
# of core/, gui/, widgets/ and app/, rebuilds and runs the Qt 5 test suite, and tells
# for each fault whether a test failed (killed) or none did (survived). All the
# work happens in build-mutate/ on a copy of the tracked files; the working
# tree is never written to.
import argparse, os, random, re, shutil, signal, subprocess, sys, time

TOKEN = re.compile(r'"(?:\\.|[^"\\])*"|\'(?:\\.|[^\'\\])*\'|\d[\w.]*|[A-Za-z_]\w*'
                   r'|->|::|&&|\|\||\+\+|--|[<>=!+\-*/]=|<<|>>|\S')
SWAP = {'<': '<=', '<=': '<', '>': '>=', '>=': '>', '==': '!=', '!=': '==',
        '+': '-', '-': '+', '*': '/', '/': '*', '+=': '-=', '-=': '+=', '*=': '/=', '/=': '*=',
        '++': '--', '--': '++', '&&': '||', '||': '&&', 'true': 'false', 'false': 'true'}
SPACED = {'<', '>', '*', '/'}  # only as binary operators, written with spaces around
CALL = re.compile(r'\s*(\w+(->|\.|::))*\w+\(.*\);\s*$')
ASSIGN = re.compile(r'\s*[\w.>\[\]-]+ [-+*/]?= [^=].*;\s*$')


def number(token):
    if re.fullmatch(r'\d+', token):
        return {'0': '1', '1': '0'}.get(token, str(int(token) + 1))
    if re.fullmatch(r'\d+\.\d*|\d+(\.\d*)?[eE]\d+', token):
        return '1.0' if float(token) == 0 else repr(float(token) + 1)
    return None


def mutants(path, text):
    """(path, line index, column, original, replacement) for every fault in one file."""
    blank = lambda m: m.group() if m.group()[0] in '"\'' else re.sub(r'[^\n]', ' ', m.group())
    code = re.sub(r'"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'|//[^\n]*|/\*.*?\*/', blank, text,
                  flags=re.S)  # comments become spaces
    found, previous, inactive = [], '', []
    for i, line in enumerate(code.split('\n')):
        stripped = line.strip()
        if stripped.startswith('#if'):  # the Qt 6 branches are not built here
            inactive.append('QT_VERSION_CHECK(6' in stripped)
        elif stripped.startswith('#else') and inactive:
            inactive[-1] = not inactive[-1]
        elif stripped.startswith('#endif') and inactive:
            inactive.pop()
        if stripped.startswith('#') or not stripped or any(inactive):
            continue
        statement = line[0].isspace() and (CALL.match(line) or ASSIGN.match(line)) \
            and line.count('(') == line.count(')') and previous.endswith((';', '{', '}', ')', 'else'))
        if statement and path.endswith('.cpp') and not stripped.startswith(('return', 'const ', 'else')):
            found.append((path, i, len(line) - len(line.lstrip()), stripped, None))
        previous = line.rstrip()
        for m in TOKEN.finditer(line):
            token, start, end = m.group(), m.start(), m.end()
            new = SWAP.get(token)
            if token in SPACED and not (line[start - 1:start] == ' ' == line[end:end + 1]):
                new = None
            if token in ('+', '-') and '"' in line:  # joins strings
                new = None
            if token == '!':
                new = ''
            elif token[0] == '"' and token != '""':
                new = '""'
            elif token[0].isdigit():
                new = number(token)
            if new is not None:
                found.append((path, i, start, token, new))
    return found


def run(command, log, timeout=None):
    with open(log, 'a') as out:
        process = subprocess.Popen(command, stdout=out, stderr=subprocess.STDOUT,
                                   start_new_session=True)
        try:
            return process.wait(timeout=timeout) == 0
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
            return False


def main():
    parser = argparse.ArgumentParser(description='Judges single-token faults in core/, gui/, '
                                     'widgets/ and app/ by the Qt 5 test suite.')
    parser.add_argument('-n', type=int, default=60, help='faults to judge (default 60)')
    parser.add_argument('-s', type=int, default=1, help='seed of the sample (default 1)')
    parser.add_argument('-j', type=int, default=os.cpu_count(), help='build jobs')
    args = parser.parse_args()
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    scratch = os.path.join(root, 'build-mutate')
    src, build, clean, log = (os.path.join(scratch, d) for d in ('src', 'build', 'clean', 'log'))
    shutil.rmtree(scratch, ignore_errors=True)
    os.makedirs(src)
    tracked = subprocess.run(['git', 'ls-files', '-z'], cwd=root, check=True,
                             capture_output=True, text=True).stdout.split('\0')
    for name in filter(None, tracked):
        os.makedirs(os.path.dirname(os.path.join(src, name)), exist_ok=True)
        shutil.copy2(os.path.join(root, name), os.path.join(src, name))
    os.environ['QT_QPA_PLATFORM'] = 'offscreen'
    ctest = ['ctest', '--test-dir', build, '--stop-on-failure', '--timeout', '60']
    if not (run(['cmake', '-S', src, '-B', build, '-DVANTOR_BENCHMARKS=OFF'], log)
            and run(['cmake', '--build', build, '--parallel', str(args.j)], log)):
        sys.exit(f'mutate: the unmutated build failed, see {log}')
    started = time.time()
    if not run(ctest, log):
        sys.exit(f'mutate: the tests fail without a fault, see {log}')
    limit = max(60, 5 * (time.time() - started))  # a hanging test run counts as killed
    shutil.copytree(build, clean, symlinks=True)

    candidates = []
    for name in sorted(n for n in tracked if re.match(r'(core|gui|widgets|app)/.*\.(cpp|h)$', n)):
        with open(os.path.join(src, name)) as f:
            candidates += mutants(name, f.read())
    random.Random(args.s).shuffle(candidates)
    killed = survived = failed = 0
    started = time.time()
    for name, i, column, old, new in candidates:
        if killed + survived == args.n:
            break
        path = os.path.join(src, name)
        with open(path) as f:
            lines = f.read().split('\n')
        original, stat = '\n'.join(lines), os.stat(path)
        line = lines[i]
        lines[i] = line[:column] + ';' if new is None else line[:column] + new + line[column + len(old):]
        shutil.rmtree(build)
        shutil.copytree(clean, build, symlinks=True)
        try:
            with open(path, 'w') as f:
                f.write('\n'.join(lines))
            built = run(['cmake', '--build', build, '--parallel', str(args.j)], log)
            passed = built and run(ctest, log, timeout=limit)
        finally:
            with open(path, 'w') as f:
                f.write(original)
            os.utime(path, ns=(stat.st_atime_ns, stat.st_mtime_ns))
        verdict = 'build failed' if not built else 'survived' if passed else 'killed'
        killed += built and not passed
        survived += built and passed
        failed += not built
        print(f'{name}:{i + 1}: {old} -> {new or "(deleted)"}: {verdict}',
              flush=True)
    seconds = time.time() - started
    print(f'mutate: {killed + survived} faults judged and {failed} that did not build in '
          f'{seconds:.0f} s, {seconds / max(1, killed + survived + failed):.0f} s each',
          file=sys.stderr, flush=True)
    print(f'{killed} passed, {survived} failed')
    sys.exit(0 if survived == 0 else 1)


main()
