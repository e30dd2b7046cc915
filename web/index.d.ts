// Types of bcfont's web module.

/** The name (`"ean13"`) or number (`1`) of a symbology, as `bcfont encode --type` takes it. */
export type SymbologyType = string | number;

export interface EncodeOptions {
  /** EAN-13 add-on of 2 or 5 digits; other symbologies ignore it. */
  addon?: string;
  /** The optional check character (default true). */
  check?: boolean;
  /** Chooses the half-height face. */
  halfHeight?: boolean;
  /** Chooses the high-density face, where the symbology has one. */
  highDensity?: boolean;
}

export interface Encoded {
  /** The font string to set in `face`, or null when the data is rejected. */
  text: string | null;
  /** The CSS font family that draws it (bcfont.css declares every one). */
  face: string;
  /** Why the data is rejected, as a sentence; null when accepted. */
  reason: string | null;
}

export interface Symbology {
  id: number;
  name: string;
  fullName: string;
  /** Faces: normal, half height, high density, both. */
  faces: readonly [string, string, string, string];
  pointSize: number;
  moduleUnits: number;
  unitsPerEm: number;
  offers: { highDensity: boolean; check: boolean; halfHeight: boolean; addon: boolean };
  scannersNeedCheck: boolean;
}

export interface Bcfont {
  /** Throws a TypeError for an unknown symbology or missing data; rejected data is a result, not an exception. */
  encode(data: string, type: SymbologyType, options?: EncodeOptions): Encoded;
  /** The type names of `bcfont types`, in their order. */
  types(): string[];
  /** Every symbology's names, faces and the options it offers. */
  symbologies(): Symbology[];
  /** The CSS font size in pixels at which one module is `modulePx` whole CSS pixels. */
  fontSizeFor(type: SymbologyType, modulePx: number): number;
}

/** Instantiates the WebAssembly once; later calls return the same encoder. */
export function load(): Promise<Bcfont>;

declare const bcfont: { load: typeof load };
export default bcfont;
