// The browser backend's sound output, on the browser's audio thread: it plays the blocks of
// sound the game's mixer sends (left and right, 44.1 kHz), in order, and tells the page how far
// it has played and how often it ran dry. A context running at another rate gets the sound
// resampled on the way.
class TannenquirlOutput extends AudioWorkletProcessor {
  constructor() {
    super();
    this.blocks = [];
    this.offset = 0;      // the position in the first block, fractional when resampling
    this.played = 0;      // frames of the game's sound consumed
    this.underruns = 0;
    this.dry = false;
    this.started = false;
    this.quanta = 0;
    this.step = 44100 / sampleRate;
    this.port.onmessage = (e) => {
      this.blocks.push(e.data);
      this.started = true;
    };
  }

  process(inputs, outputs) {
    const left = outputs[0][0], right = outputs[0][1] || outputs[0][0];
    let i = 0;
    const before = this.played;
    while (i < left.length && this.blocks.length) {
      const [l, r] = this.blocks[0];
      if (this.step === 1) {
        const n = Math.min(left.length - i, l.length - this.offset);
        left.set(l.subarray(this.offset, this.offset + n), i);
        right.set(r.subarray(this.offset, this.offset + n), i);
        i += n;
        this.offset += n;
      } else {
        while (i < left.length && this.offset < l.length) {
          const at = Math.floor(this.offset), frac = this.offset - at;
          const next = Math.min(at + 1, l.length - 1);
          left[i] = l[at] + (l[next] - l[at]) * frac;
          right[i] = r[at] + (r[next] - r[at]) * frac;
          ++i;
          this.offset += this.step;
        }
      }
      if (this.offset >= l.length) {
        this.played += l.length;
        this.offset -= l.length;
        this.blocks.shift();
      }
    }
    left.fill(0, i);
    right.fill(0, i);
    const underran = i < left.length && this.started;
    if (underran && !this.dry) ++this.underruns;
    this.dry = underran;
    // A few times a frame, so that the page tops the queue up in time.
    if (++this.quanta % 2 === 0 || this.played !== before && this.blocks.length === 0)
      this.port.postMessage({played: this.played + Math.floor(this.offset), underruns: this.underruns});
    return true;
  }
}

registerProcessor('tannenquirl-output', TannenquirlOutput);
