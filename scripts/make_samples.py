#!/usr/bin/env python3
"""Writes the sample spectra in data/samples/.

A green-emitting donor (emission peak near 517 nm) and an orange-absorbing
acceptor (absorption peak near 556 nm, absorbance 0.85 at 1e-5 mol/L in a
1-cm cuvette), each written in every format the program reads. The shapes
are sums of Gaussians in wavenumber with a vibronic shoulder and a little
seeded noise, so the files look like measurements and never change.
"""
import math
import pathlib
import random

OUT = pathlib.Path(__file__).resolve().parent.parent / "data" / "samples"


def band(nm, peaks):
    nu = 1e7 / nm
    return sum(a * math.exp(-0.5 * ((nu - 1e7 / c) / w) ** 2) for a, c, w in peaks)


DONOR_BANDS = [(1.0, 517, 650), (0.38, 550, 900), (0.08, 600, 1200)]
DONOR_PEAK = max(band(w / 10.0, DONOR_BANDS) for w in range(4000, 7001))


def donor(nm):
    return 86000.0 * band(nm, DONOR_BANDS) / DONOR_PEAK


ACCEPTOR_BANDS = [(1.0, 556, 520), (0.34, 518, 800), (0.09, 360, 2500)]
ACCEPTOR_PEAK = max(band(w / 10.0, ACCEPTOR_BANDS) for w in range(4000, 7001))


def acceptor(nm):
    return 0.85 * band(nm, ACCEPTOR_BANDS) / ACCEPTOR_PEAK


def noisy(values, scale, seed):
    rng = random.Random(seed)
    return [v + rng.gauss(0.0, scale) for v in values]


def write(name, text):
    (OUT / name).write_bytes(text.encode("ascii"))


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    em_nm = list(range(480, 701))
    em = noisy([donor(w) for w in em_nm], 120.0, 1)
    ab_nm = list(range(400, 701))
    ab = [max(a, 0.0) for a in noisy([acceptor(w) for w in ab_nm], 0.0008, 2)]

    # Emission, two fields per line.
    write("donor_emission.csv",
          "Wavelength,Intensity\r\n" +
          "".join(f"{w},{v:.1f}\r\n" for w, v in zip(em_nm, em)))
    write("donor_emission.ifx",
          "Sample\tdonor 1 uM in PBS pH 7.4\n"
          "Mode\temission scan\n"
          "Excitation (nm)\t470\n"
          "Slits (nm)\t2.0 / 2.0\n"
          "Integration (s)\t0.5\n"
          "Wavelength (nm)\tIntensity (cps)\n" +
          "".join(f"{w:.1f}\t{v:.1f}\n" for w, v in zip(em_nm, em)))
    write("donor_emission.iss",
          "donor emission, excitation 470 nm\n"
          "nm\tcounts\n" +
          "".join(f"{w}\t{v:.0f}\n" for w, v in zip(em_nm, em)))
    # 2-nm steps: the odd wavelengths are interpolated on reading.
    write("donor_emission.rls",
          "# donor emission, 2 nm steps\n" +
          "".join(f"{w} {v:.1f}\n" for w, v in zip(em_nm, em) if w % 2 == 0))
    # Four fields per line: point number, time, wavelength, intensity.
    write("donor_emission.txt",
          "Emission scan of the donor\n"
          "Point  Time(s)  Wavelength(nm)  Intensity\n" +
          "".join(f"{i + 1}  {0.5 * i:.1f}  {w}  {v:.1f}\n"
                  for i, (w, v) in enumerate(zip(em_nm, em))))

    # Absorption: instruments scan from long to short wavelengths.
    down = list(zip(reversed(ab_nm), reversed(ab)))
    write("acceptor_absorption.sp",
          "Sample: acceptor 10 uM in PBS pH 7.4\r\n"
          "Instrument: UV-Vis spectrophotometer, double beam\r\n"
          "Slit: 1.0 nm\r\nScan speed: 240 nm/min\r\nUnits: nm, A\r\n"
          f"Points: {len(down)}\r\n"
          "#DATA\r\n" +
          "".join(f"{w:.1f}\t{a:.5f}\r\n" for w, a in down))
    # The first numeric line (the point count) is not data.
    write("acceptor_absorption.txt",
          "Acceptor 10 uM, 1 cm\n"
          f"{len(ab_nm)}\n" +
          "".join(f"{w},{a:.5f}\n" for w, a in zip(ab_nm, ab)))
    write("acceptor_absorption.asp",
          f"{len(down)}\n"
          "acceptor 10 uM\n"
          "1 cm quartz cuvette\n"
          "reference: buffer\n"
          "bandwidth 1.0 nm\n"
          "nm       A\n" +
          "".join(f"{w:7.1f} {a:7.4f}\n" for w, a in down))
    write("acceptor_absorption.abt",
          "acceptor 10 uM, absorbance against wavelength\n"
          "  nm      A\n" +
          "".join(f"{w:6.2f} {a:5.3f}\n" for w, a in zip(ab_nm, ab)))
    write("acceptor_absorption.abs",
          "".join(f"{w}  {a:.5f}\n" for w, a in down))


if __name__ == "__main__":
    main()
