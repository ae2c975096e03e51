"""Child processes in groups of their own, ended with everything they started."""

import os
import signal
import subprocess
import time


class Interruption(Exception):
    """SIGTERM or SIGHUP: ends the run as Ctrl+C does, files restored."""


def _interrompt(numero, _cadre):
    raise Interruption(signal.Signals(numero).name)


def intercepte_signaux():
    # Also when started in the background, where the shell leaves Ctrl+C ignored.
    signal.signal(signal.SIGINT, signal.default_int_handler)
    for numero in (signal.SIGTERM, signal.SIGHUP):
        signal.signal(numero, _interrompt)


class SignauxRetenus:
    """Holds Ctrl+C and the end signals back while a file and its journal change together."""

    SIGNAUX = {signal.SIGINT, signal.SIGTERM, signal.SIGHUP}

    def __enter__(self):
        signal.pthread_sigmask(signal.SIG_BLOCK, self.SIGNAUX)

    def __exit__(self, *_):
        signal.pthread_sigmask(signal.SIG_UNBLOCK, self.SIGNAUX)


def _arrete_groupe(processus):
    for numero, delai in ((signal.SIGTERM, 5), (signal.SIGKILL, 30)):
        try:
            os.killpg(processus.pid, numero)
        except ProcessLookupError:
            return
        try:
            processus.wait(timeout=delai)
            return
        except subprocess.TimeoutExpired:
            continue


def lance(commande, *, limite=None, sortie=None, cwd=None, env=None):
    """Runs a command; returns (exit code or None past the limit, seconds taken).

    Past the limit, or when the run itself is interrupted, the command's whole process group
    is ended: a test's own children (a program it started, a proxy) go with it.
    """
    debut = time.monotonic()
    with open(sortie or os.devnull, "wb") as fichier:
        processus = subprocess.Popen(
            commande,
            cwd=cwd,
            env=env,
            stdin=subprocess.DEVNULL,
            stdout=fichier,
            stderr=subprocess.STDOUT,
            start_new_session=True,
        )
        try:
            code = processus.wait(timeout=limite)
        except subprocess.TimeoutExpired:
            code = None
        finally:
            if processus.poll() is None:
                _arrete_groupe(processus)
    return code, time.monotonic() - debut
