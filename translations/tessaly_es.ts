<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_419" sourcelanguage="en">
<context>
    <name>EditorWidgets</name>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Agregar</translation>
    </message>
    <message>
        <source>&amp;Modify</source>
        <translation>&amp;Modificar</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Eliminar</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Cerrar</translation>
    </message>
    <message>
        <source>Close dialog</source>
        <translation>Cerrar el diálogo</translation>
    </message>
</context>
<context>
    <name>ExecutionTexts</name>
    <message>
        <source>Ready</source>
        <translation>Listo</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Sending ...</source>
        <translation>Enviando ...</translation>
    </message>
    <message>
        <source>TimeOut</source>
        <translation>Tiempo agotado</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Cancelado</translation>
    </message>
    <message>
        <source>Host port closed</source>
        <translation>Puerto host cerrado</translation>
    </message>
    <message>
        <source>Fiscal port closed</source>
        <translation>Puerto fiscal cerrado</translation>
    </message>
    <message>
        <source>Bad user data input in control</source>
        <translation>Dato ingresado no válido en el control</translation>
    </message>
    <message>
        <source>Communication errors!!! Fiscal printer not ready.</source>
        <translation>¡¡¡Errores de comunicación!!! La impresora fiscal no está lista.</translation>
    </message>
    <message>
        <source>Error!!! Bad data in frame.</source>
        <translation>¡¡¡Error!!! Datos incorrectos en la trama.</translation>
    </message>
    <message>
        <source>     Fiscal Port it&apos;s alive !!!     </source>
        <translation>     ¡¡¡El puerto fiscal responde!!!     </translation>
    </message>
    <message>
        <source>Showing the first %1 of %2 command fields</source>
        <translation>Se muestran los primeros %1 de %2 campos del comando</translation>
    </message>
    <message>
        <source>This command cannot be sent: its command field %1 cannot be read (%2)</source>
        <translation>Este comando no se puede enviar: su campo de comando %1 no se puede leer (%2)</translation>
    </message>
    <message>
        <source>This command has no command fields yet: &quot;Edit fields&quot; in the context menu of the tree adds them</source>
        <translation>Este comando todavía no tiene campos: &quot;Editar campos&quot; en el menú contextual del árbol los agrega</translation>
    </message>
    <message>
        <source>Host port closed: this command cannot be sent until the host port opens (Options, Preferences)</source>
        <translation>Puerto host cerrado: este comando no se puede enviar hasta que se abra el puerto host (Opciones, Preferencias)</translation>
    </message>
    <message>
        <source>Fiscal port closed: this command goes to the fiscal port, which the fiscal-port button of the toolbar turns on</source>
        <translation>Puerto fiscal cerrado: este comando va al puerto fiscal, que se activa con el botón de puerto fiscal de la barra de herramientas</translation>
    </message>
    <message>
        <source>Ready (%1 ms)</source>
        <translation>Listo (%1 ms)</translation>
    </message>
    <message>
        <source>Answered in %1 ms</source>
        <translation>Respondido en %1 ms</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>[options]</source>
        <translation>[opciones]</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <translation>Uso: %1</translation>
    </message>
</context>
<context>
    <name>TCaptureReader</name>
    <message>
        <source>cannot read the capture file %1: %2</source>
        <translation>no se puede leer el archivo de captura %1: %2</translation>
    </message>
    <message>
        <source>not a capture file: the first line is not &quot;tessaly-capture %1&quot;</source>
        <translation>no es un archivo de captura: la primera línea no es &quot;tessaly-capture %1&quot;</translation>
    </message>
    <message>
        <source>capture version %1 is newer than this program reads (%2)</source>
        <translation>la versión de captura %1 es más nueva que la que lee este programa (%2)</translation>
    </message>
    <message>
        <source>a record needs a time, an offset, a port, a kind and its data</source>
        <translation>un registro necesita una hora, un desplazamiento, un puerto, un tipo y sus datos</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a date and time</source>
        <translation>&apos;%1&apos; no es una fecha y hora</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not an offset in seconds</source>
        <translation>&apos;%1&apos; no es un desplazamiento en segundos</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a port (host or fiscal)</source>
        <translation>&apos;%1&apos; no es un puerto (host o fiscal)</translation>
    </message>
    <message>
        <source>the record holds no bytes</source>
        <translation>el registro no contiene bytes</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a hexadecimal byte</source>
        <translation>&apos;%1&apos; no es un byte hexadecimal</translation>
    </message>
    <message>
        <source>not a capture file: it has no &quot;tessaly-capture %1&quot; line</source>
        <translation>no es un archivo de captura: no tiene la línea &quot;tessaly-capture %1&quot;</translation>
    </message>
</context>
<context>
    <name>TCaptureWriter</name>
    <message>
        <source>cannot open the capture file %1: %2</source>
        <translation>no se puede abrir el archivo de captura %1: %2</translation>
    </message>
    <message>
        <source>%1 is not a capture file; it is left as it is</source>
        <translation>%1 no es un archivo de captura; se deja como está</translation>
    </message>
    <message>
        <source>cannot write the capture file %1: %2</source>
        <translation>no se puede escribir el archivo de captura %1: %2</translation>
    </message>
</context>
<context>
    <name>TCliSender</name>
    <message>
        <source>the port is in use or cannot be opened</source>
        <translation>el puerto está en uso o no se puede abrir</translation>
    </message>
    <message>
        <source>no such port</source>
        <translation>no existe ese puerto</translation>
    </message>
    <message>
        <source>the port refused its line settings</source>
        <translation>el puerto rechazó su configuración de línea</translation>
    </message>
    <message>
        <source>error %1</source>
        <translation>error %1</translation>
    </message>
    <message>
        <source>cannot open the log file %1: %2</source>
        <translation>no se puede abrir el archivo de registro %1: %2</translation>
    </message>
    <message>
        <source>cannot open the host port %1: %2</source>
        <translation>no se puede abrir el puerto host %1: %2</translation>
    </message>
    <message>
        <source>cannot open the fiscal port %1: %2</source>
        <translation>no se puede abrir el puerto fiscal %1: %2</translation>
    </message>
    <message>
        <source>the device %1 went away (%2)</source>
        <translation>el dispositivo %1 se desconectó (%2)</translation>
    </message>
</context>
<context>
    <name>TCliTool</name>
    <message>
        <source>Print one JSON object instead of text.</source>
        <translation>Imprime un objeto JSON en lugar de texto.</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>Muestra esta ayuda.</translation>
    </message>
    <message>
        <source> (see tessaly-cli %1 --help)</source>
        <translation> (vea tessaly-cli %1 --help)</translation>
    </message>
    <message>
        <source>%1 takes %2 argument%3 (see tessaly-cli %1 --help)</source>
        <translation>%1 requiere %2 argumento%3 (vea tessaly-cli %1 --help)</translation>
    </message>
    <message>
        <source>%1: no such file</source>
        <translation>%1: el archivo no existe</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: no command &quot;%2&quot; (GROUP/COMMAND; see tessaly-cli list)</source>
        <translation>%1: no existe el comando &quot;%2&quot; (GRUPO/COMANDO; vea tessaly-cli list)</translation>
    </message>
    <message>
        <source>The terminal file.</source>
        <translation>El archivo de terminal.</translation>
    </message>
    <message>
        <source>The command.</source>
        <translation>El comando.</translation>
    </message>
    <message>
        <source>%1: Commands: %2</source>
        <translation>%1: Comandos: %2</translation>
    </message>
    <message>
        <source>%1: Answers: %2</source>
        <translation>%1: Respuestas: %2</translation>
    </message>
    <message>
        <source>Host port device (default: the settings&apos; HPort, else the COM index).</source>
        <translation>Dispositivo del puerto host (predeterminado: HPort de la configuración, si no el índice COM).</translation>
    </message>
    <message>
        <source>Fiscal port device (default: the settings&apos; DPort, else the COM index).</source>
        <translation>Dispositivo del puerto fiscal (predeterminado: DPort de la configuración, si no el índice COM).</translation>
    </message>
    <message>
        <source>compatible or extended (default: the file&apos;s [General]).</source>
        <translation>compatible o extended (predeterminado: la sección [General] del archivo).</translation>
    </message>
    <message>
        <source>Text of command field N (from 1); repeatable.</source>
        <translation>Texto del campo de comando N (desde 1); se puede repetir.</translation>
    </message>
    <message>
        <source>Date of picker field N (default: today).</source>
        <translation>Fecha del campo selector N (predeterminado: hoy).</translation>
    </message>
    <message>
        <source>Time of picker field N (default: now).</source>
        <translation>Hora del campo selector N (predeterminado: ahora).</translation>
    </message>
    <message>
        <source>Append the communication log lines to FILE.</source>
        <translation>Agrega las líneas del registro de comunicación al ARCHIVO.</translation>
    </message>
    <message>
        <source>--baud %1: use 1200, 2400, 4800, 9600, 19200 or 38400</source>
        <translation>--baud %1: use 1200, 2400, 4800, 9600, 19200 o 38400</translation>
    </message>
    <message>
        <source>--timeout %1: give milliseconds, 0 or more</source>
        <translation>--timeout %1: indique milisegundos, 0 o más</translation>
    </message>
    <message>
        <source>--repeat %1: give a count from 1 to %2</source>
        <translation>--repeat %1: indique una cantidad de 1 a %2</translation>
    </message>
    <message>
        <source>--protocol %1: use compatible or extended</source>
        <translation>--protocol %1: use compatible o extended</translation>
    </message>
    <message>
        <source>%1 cannot be sent: %2</source>
        <translation>%1 no se puede enviar: %2</translation>
    </message>
    <message>
        <source>%1 has no command fields: nothing to send</source>
        <translation>%1 no tiene campos de comando: no hay nada que enviar</translation>
    </message>
    <message>
        <source>warning: %1 holds %2 command fields; like the window, only the first %3 are sent</source>
        <translation>advertencia: %1 tiene %2 campos de comando; como en la ventana, solo se envían los primeros %3</translation>
    </message>
    <message>
        <source>%1 goes to the fiscal port, which has no Repeat</source>
        <translation>%1 va al puerto fiscal, que no admite Repetir</translation>
    </message>
    <message>
        <source>warning: %1: Answers: %2</source>
        <translation>advertencia: %1: Respuestas: %2</translation>
    </message>
    <message>
        <source>Bad user data input in control: field %1 (%2)</source>
        <translation>Dato ingresado no válido en el control: campo %1 (%2)</translation>
    </message>
    <message>
        <source>%1: no answer in time</source>
        <translation>%1: sin respuesta a tiempo</translation>
    </message>
    <message>
        <source>%1: the command could not be written</source>
        <translation>%1: no se pudo escribir el comando</translation>
    </message>
    <message>
        <source>%1: the printer rejected the command (NAK)</source>
        <translation>%1: la impresora rechazó el comando (NAK)</translation>
    </message>
    <message>
        <source>%1: cancelled</source>
        <translation>%1: cancelado</translation>
    </message>
    <message>
        <source>%1: the port refused the command (error %2)</source>
        <translation>%1: el puerto rechazó el comando (error %2)</translation>
    </message>
    <message>
        <source>a command is needed (see tessaly-cli --help)</source>
        <translation>se necesita un comando (vea tessaly-cli --help)</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot; (see tessaly-cli --help)</source>
        <translation>comando desconocido &quot;%1&quot; (vea tessaly-cli --help)</translation>
    </message>
    <message>
        <source>Lists the groups and commands of a terminal file in file order, each command with its port and its numbers of command and answer fields.</source>
        <translation>Lista los grupos y comandos de un archivo de terminal en el orden del archivo, cada comando con su puerto y su cantidad de campos de comando y de respuesta.</translation>
    </message>
    <message>
        <source>Shows a command&apos;s fields (all 12 attributes, combo lines, notes) and answer fields, read the way the terminal window reads them. Exit status 1 when the command cannot be read in full.</source>
        <translation>Muestra los campos de un comando (los 12 atributos, las líneas de las listas, las notas) y sus campos de respuesta, leídos como los lee la ventana de terminal. Estado de salida 1 cuando el comando no se puede leer completo.</translation>
    </message>
    <message>
        <source>%1: no problems</source>
        <translation>%1: sin problemas</translation>
    </message>
    <message>
        <source>Sends a command as the terminal window&apos;s Send does (Repeat with --repeat) and prints the outcome. Only the port the command needs is opened.
Exit status: 0 answer or ACK, 2 time-out or write error, 3 NAK, 4 bad field input, 1 usage, file or port errors.</source>
        <translation>Envía un comando como lo hace Enviar en la ventana de terminal (Repetir con --repeat) e imprime el resultado. Solo se abre el puerto que necesita el comando.
Estado de salida: 0 respuesta o ACK, 2 tiempo agotado o error de escritura, 3 NAK, 4 dato de campo inválido, 1 errores de uso, de archivo o de puerto.</translation>
    </message>
    <message>
        <source>Host baud rate: 1200, 2400, 4800, 9600, 19200 or 38400 (default: the settings&apos;).</source>
        <translation>Velocidad del puerto host en baudios: 1200, 2400, 4800, 9600, 19200 o 38400 (predeterminada: la de la configuración).</translation>
    </message>
    <message>
        <source>Fiscal port time-out in ms, 0 waits without limit (default: the settings&apos; DTimeOut).</source>
        <translation>Tiempo de espera del puerto fiscal en ms, 0 espera sin límite (predeterminado: DTimeOut de la configuración).</translation>
    </message>
    <message>
        <source>Repeat N times (1..999) with auto-increment fields; only the last answer is printed.</source>
        <translation>Repetir N veces (1..999) con campos autoincrementales; solo se imprime la última respuesta.</translation>
    </message>
    <message>
        <source>Usage: tessaly-cli COMMAND FILE [ARGUMENTS] [OPTIONS]

Runs the commands of a terminal file, or a test plan, from the shell.

Commands:
  list FILE.tsy                   groups and commands in file order
  show FILE.tsy GROUP/COMMAND     the fields and answer fields of a command
  check FILE.tsy                  every problem a reader of the file would meet
  check PLAN.plan                 every problem of a plan against its terminal file
  send FILE.tsy GROUP/COMMAND     send a command and print its outcome
  ports                           the serial devices of this system
  run PLAN.plan                   run a test plan and print each step&apos;s result

Run &quot;tessaly-cli COMMAND --help&quot; for the options of a command.

Options:
  -h, --help       show this help
  -v, --version    show the version
      --lang LANG  language of the texts: en (English) or es (Spanish)
</source>
        <translation>Uso: tessaly-cli COMANDO ARCHIVO [ARGUMENTOS] [OPCIONES]

Ejecuta los comandos de un archivo de terminal, o un plan de prueba, desde la consola.

Comandos:
  list ARCHIVO.tsy                grupos y comandos en el orden del archivo
  show ARCHIVO.tsy GRUPO/COMANDO  los campos y campos de respuesta de un comando
  check ARCHIVO.tsy               cada problema que encontraría un lector del archivo
  check PLAN.plan                 cada problema de un plan frente a su archivo de terminal
  send ARCHIVO.tsy GRUPO/COMANDO  envía un comando e imprime su resultado
  ports                           los dispositivos serie de este sistema
  run PLAN.plan                   ejecuta un plan de prueba e imprime el resultado de cada paso

Ejecute &quot;tessaly-cli COMANDO --help&quot; para ver las opciones de un comando.

Opciones:
  -h, --help       muestra esta ayuda
  -v, --version    muestra la versión
      --lang LANG  idioma de los textos: en (inglés) o es (español)
</translation>
    </message>
    <message>
        <source>Lists the serial devices of this system: path, stable /dev/serial/by-id link, description, manufacturer and serial number when known. Pseudo-terminals are not listed; any device path can still be given with --port and --fiscal-port.</source>
        <translation>Lista los dispositivos serie de este sistema: ruta, enlace estable /dev/serial/by-id, descripción, fabricante y número de serie cuando se conocen. Los pseudoterminales no se listan; cualquier ruta de dispositivo puede darse igualmente con --port y --fiscal-port.</translation>
    </message>
    <message>
        <source>Record every exchange of both ports into the capture FILE (appended to when it is one).</source>
        <translation>Grabar cada intercambio de ambos puertos en el archivo de captura FILE (se añade al final si ya es uno).</translation>
    </message>
    <message>
        <source>%1: no problems, %2 steps</source>
        <translation>%1: sin problemas, %2 pasos</translation>
    </message>
    <message>
        <source>Lists every problem a reader of the terminal file would meet, with its section and key, and warnings of what a user would trip over. Exit status 0 when the file is clean (warnings allowed), 1 otherwise.
A plan (.plan) is checked against its terminal file: every command, field, answer field, status text and kept value it names.</source>
        <translation>Lista cada problema que encontraría quien lea el archivo de terminal, con su sección y su clave, y advertencias de lo que confundiría a un usuario. Estado de salida 0 cuando el archivo está limpio (se admiten advertencias), 1 en otro caso.
Un plan (.plan) se comprueba frente a su archivo de terminal: cada comando, campo, campo de respuesta, texto de estado y valor guardado que nombra.</translation>
    </message>
    <message>
        <source>The terminal file (.tsy) or a plan (.plan).</source>
        <translation>El archivo de terminal (.tsy) o un plan (.plan).</translation>
    </message>
    <message>
        <source>Runs a test plan against its terminal file: every step&apos;s command goes out as Send (or Repeat) does, and its answer is held against the step&apos;s expectations. Each step&apos;s result is printed as it ends, then a summary. A plan with problems is refused before anything is sent.
Exit status: 0 every expectation held, 5 some did not, 1 usage, file or port errors or an interrupted run.</source>
        <translation>Ejecuta un plan de prueba frente a su archivo de terminal: el comando de cada paso sale como lo hace Enviar (o Repetir) y su respuesta se compara con lo que el paso espera. El resultado de cada paso se imprime al terminar, y después un resumen. Un plan con problemas se rechaza antes de enviar nada.
Estado de salida: 0 se cumplió todo lo esperado, 5 algo no se cumplió, 1 errores de uso, de archivo o de puerto o una ejecución interrumpida.</translation>
    </message>
    <message>
        <source>Write the results as JUnit XML to FILE.</source>
        <translation>Escribe los resultados como XML JUnit en FILE.</translation>
    </message>
    <message>
        <source>Stop at the first step that fails.</source>
        <translation>Se detiene en el primer paso que falle.</translation>
    </message>
    <message>
        <source>The plan file.</source>
        <translation>El archivo del plan.</translation>
    </message>
    <message>
        <source>%1: the plan is refused; nothing was sent</source>
        <translation>%1: el plan se rechaza; no se envió nada</translation>
    </message>
    <message>
        <source>%1: a port failed during the run</source>
        <translation>%1: un puerto falló durante la ejecución</translation>
    </message>
    <message>
        <source>%1: interrupted</source>
        <translation>%1: interrumpido</translation>
    </message>
</context>
<context>
    <name>TColorBox</name>
    <message>
        <source>Custom...</source>
        <translation>Personalizado...</translation>
    </message>
</context>
<context>
    <name>TCommandInputPanel</name>
    <message>
        <source>Notes</source>
        <translation>Notas</translation>
    </message>
</context>
<context>
    <name>TCommandLine</name>
    <message>
        <source>Serial device of the host port for this run.</source>
        <translation>Dispositivo serie del puerto host para esta ejecución.</translation>
    </message>
    <message>
        <source>device</source>
        <translation>dispositivo</translation>
    </message>
    <message>
        <source>Serial device of the fiscal port for this run.</source>
        <translation>Dispositivo serie del puerto fiscal para esta ejecución.</translation>
    </message>
    <message>
        <source>Language of the program&apos;s texts: en (English) or es (Spanish). Without it the system&apos;s locale decides.</source>
        <translation>Idioma de los textos del programa: en (inglés) o es (español). Sin esta opción decide la configuración regional del sistema.</translation>
    </message>
    <message>
        <source>language</source>
        <translation>idioma</translation>
    </message>
    <message>
        <source>Test and drive fiscal printers over serial ports.</source>
        <translation>Prueba y maneja impresoras fiscales por puertos serie.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>archivo</translation>
    </message>
    <message>
        <source>Terminal file (*.tsy) to open.</source>
        <translation>Archivo de terminal (*.tsy) a abrir.</translation>
    </message>
    <message>
        <source>[file]</source>
        <translation>[archivo]</translation>
    </message>
</context>
<context>
    <name>TCommandPage</name>
    <message>
        <source>Co&amp;mmands</source>
        <translation>Co&amp;mandos</translation>
    </message>
    <message>
        <source>Host &amp;Answer</source>
        <translation>&amp;Respuesta del host</translation>
    </message>
    <message>
        <source>&amp;Fiscal Answer</source>
        <translation>Respuesta &amp;fiscal</translation>
    </message>
    <message>
        <source>&amp;Send</source>
        <translation>&amp;Enviar</translation>
    </message>
    <message>
        <source>&amp;Repeat ...</source>
        <translation>Re&amp;petir ...</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Información</translation>
    </message>
</context>
<context>
    <name>TCommandTree</name>
    <message>
        <source>Root</source>
        <translation>Raíz</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Información</translation>
    </message>
</context>
<context>
    <name>TCommandTreeMenu</name>
    <message>
        <source>&amp;Group</source>
        <translation>&amp;Grupo</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Agregar</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Renombrar</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Eliminar</translation>
    </message>
    <message>
        <source>&amp;Command</source>
        <translation>&amp;Comando</translation>
    </message>
    <message>
        <source>&amp;Edit fields</source>
        <translation>&amp;Editar campos</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>C&amp;opiar</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Pegar</translation>
    </message>
    <message>
        <source>&amp;Nodes</source>
        <translation>&amp;Nodos</translation>
    </message>
    <message>
        <source>Expand all</source>
        <translation>Expandir todo</translation>
    </message>
    <message>
        <source>Collapse all</source>
        <translation>Contraer todo</translation>
    </message>
    <message>
        <source>Expand node</source>
        <translation>Expandir nodo</translation>
    </message>
    <message>
        <source>Collapse node</source>
        <translation>Contraer nodo</translation>
    </message>
</context>
<context>
    <name>TDocumentFile</name>
    <message>
        <source>Unable to read from %1: %2</source>
        <translation>No se puede leer %1: %2</translation>
    </message>
    <message>
        <source>Unable to read from %1: the file is too large for a terminal file</source>
        <translation>No se puede leer %1: el archivo es demasiado grande para un archivo de terminal</translation>
    </message>
    <message>
        <source>Unable to read from %1</source>
        <translation>No se puede leer %1</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>No se puede escribir en %1</translation>
    </message>
</context>
<context>
    <name>TExtIniFile</name>
    <message>
        <source>The name &quot;%1&quot; cannot be stored in %2: a key name must not be empty, contain &quot;=&quot; or line breaks, nor start with &quot;[&quot; or &quot;;&quot;. Nothing was changed.</source>
        <translation>El nombre &quot;%1&quot; no se puede guardar en %2: un nombre de clave no puede estar vacío, contener &quot;=&quot; ni saltos de línea, ni empezar con &quot;[&quot; o &quot;;&quot;. No se cambió nada.</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; cannot be stored in %2: a section name must not contain &quot;]&quot; or line breaks. Nothing was changed.</source>
        <translation>El nombre &quot;%1&quot; no se puede guardar en %2: un nombre de sección no puede contener &quot;]&quot; ni saltos de línea. No se cambió nada.</translation>
    </message>
</context>
<context>
    <name>TFileAssociation</name>
    <message>
        <source>Unable to write to %1</source>
        <translation>No se puede escribir en %1</translation>
    </message>
    <message>
        <source>Unable to register the .%1 file type</source>
        <translation>No se puede registrar el tipo de archivo .%1</translation>
    </message>
</context>
<context>
    <name>TFileChecker</name>
    <message>
        <source>the section appears again at line %1 (first at line %2); its keys there are never read</source>
        <translation>la sección aparece de nuevo en la línea %1 (primero en la línea %2); sus claves allí nunca se leen</translation>
    </message>
    <message>
        <source>duplicate key at line %1 (first at line %2); only the first is read</source>
        <translation>clave duplicada en la línea %1 (primero en la línea %2); solo se lee la primera</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value; it reads as 0</source>
        <translation>&apos;%1&apos; no es un valor entero válido; se lee como 0</translation>
    </message>
    <message>
        <source>%1 is outside 0..%2</source>
        <translation>%1 está fuera de 0..%2</translation>
    </message>
    <message>
        <source>the %1 name is longer than %2 characters</source>
        <translation>el nombre de %1 tiene más de %2 caracteres</translation>
    </message>
    <message>
        <source>the value has %1 characters, more than the %2 a reader takes</source>
        <translation>el valor tiene %1 caracteres, más de los %2 que se leen</translation>
    </message>
    <message>
        <source>field %1 (%2)</source>
        <translation>campo %1 (%2)</translation>
    </message>
    <message>
        <source>%1: its accelerator Alt+%2 is already used by %3</source>
        <translation>%1: su atajo Alt+%2 ya lo usa %3</translation>
    </message>
    <message>
        <source>%1 items do not make whole records of 12 values; the last %2 are ignored</source>
        <translation>%1 elementos no forman registros completos de 12 valores; se ignoran los últimos %2</translation>
    </message>
    <message>
        <source>%1 command fields, more than %2; the rest are left out</source>
        <translation>%1 campos de comando, más de %2; el resto se omite</translation>
    </message>
    <message>
        <source>; the command cannot be sent</source>
        <translation>; el comando no se puede enviar</translation>
    </message>
    <message>
        <source>field %1: </source>
        <translation>campo %1: </translation>
    </message>
    <message>
        <source>%1 &apos;%2&apos; is not a valid integer value; it reads as 0</source>
        <translation>%1 &apos;%2&apos; no es un valor entero válido; se lee como 0</translation>
    </message>
    <message>
        <source>Mode %1 is neither 0 (host) nor 1 (fiscal)</source>
        <translation>Mode %1 no es 0 (host) ni 1 (fiscal)</translation>
    </message>
    <message>
        <source>Mode %1 differs from field 1, whose Mode decides the port</source>
        <translation>Mode %1 difiere del campo 1, cuyo Mode decide el puerto</translation>
    </message>
    <message>
        <source>TextType %1 is outside 0..9</source>
        <translation>TextType %1 está fuera de 0..9</translation>
    </message>
    <message>
        <source>ControlType %1 is outside 0..4</source>
        <translation>ControlType %1 está fuera de 0..4</translation>
    </message>
    <message>
        <source>the caption is longer than %1 characters</source>
        <translation>el título tiene más de %1 caracteres</translation>
    </message>
    <message>
        <source>the hint is longer than %1 characters</source>
        <translation>la ayuda tiene más de %1 caracteres</translation>
    </message>
    <message>
        <source>MaxLength, MinLength and DecimalDigits may not be negative</source>
        <translation>MaxLength, MinLength y DecimalDigits no pueden ser negativos</translation>
    </message>
    <message>
        <source>the default text %1; Send refuses it until it is replaced</source>
        <translation>el texto predeterminado %1; Enviar lo rechaza hasta que se reemplace</translation>
    </message>
    <message>
        <source>the default text is longer than MaxLength %1</source>
        <translation>el texto predeterminado es más largo que MaxLength %1</translation>
    </message>
    <message>
        <source>%1 items do not make whole records of 3 values; the last %2 are ignored</source>
        <translation>%1 elementos no forman registros completos de 3 valores; se ignoran los últimos %2</translation>
    </message>
    <message>
        <source>%1 answer fields, more than %2</source>
        <translation>%1 campos de respuesta, más de %2</translation>
    </message>
    <message>
        <source>; later answer fields are shown unnamed</source>
        <translation>; los campos de respuesta siguientes se muestran sin nombre</translation>
    </message>
    <message>
        <source>answer field %1: </source>
        <translation>campo de respuesta %1: </translation>
    </message>
    <message>
        <source>DecimalDigits &apos;%1&apos; is not a valid integer value; it reads as 0</source>
        <translation>DecimalDigits &apos;%1&apos; no es un valor entero válido; se lee como 0</translation>
    </message>
    <message>
        <source>the record cannot be read: </source>
        <translation>el registro no se puede leer: </translation>
    </message>
    <message>
        <source>the text is longer than %1 characters</source>
        <translation>el texto tiene más de %1 caracteres</translation>
    </message>
    <message>
        <source>the key is not RC followed by a decimal return code</source>
        <translation>la clave no es RC seguida de un código de retorno decimal</translation>
    </message>
    <message>
        <source>return code %1 is outside 0..%2</source>
        <translation>el código de retorno %1 está fuera de 0..%2</translation>
    </message>
    <message>
        <source>the [%1] section of the file</source>
        <translation>la sección [%1] del archivo</translation>
    </message>
    <message>
        <source>%1 would use the section [%2], which is %3</source>
        <translation>%1 usaría la sección [%2], que es %3</translation>
    </message>
    <message>
        <source>group</source>
        <translation>grupo</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a reserved name and cannot be a group</source>
        <translation>&quot;%1&quot; es un nombre reservado y no puede ser un grupo</translation>
    </message>
    <message>
        <source>group &quot;%1&quot;</source>
        <translation>el grupo &quot;%1&quot;</translation>
    </message>
    <message>
        <source>the group has no section [%1]</source>
        <translation>el grupo no tiene sección [%1]</translation>
    </message>
    <message>
        <source>command</source>
        <translation>comando</translation>
    </message>
    <message>
        <source>command &quot;%1/%2&quot;</source>
        <translation>el comando &quot;%1/%2&quot;</translation>
    </message>
    <message>
        <source>the command has no section [%1]</source>
        <translation>el comando no tiene sección [%1]</translation>
    </message>
    <message>
        <source>the file has no [Groups] section: it holds no commands</source>
        <translation>el archivo no tiene sección [Groups]: no contiene comandos</translation>
    </message>
    <message>
        <source>warning: </source>
        <translation>advertencia: </translation>
    </message>
</context>
<context>
    <name>TFileInspector</name>
    <message>
        <source>fiscal</source>
        <translation>fiscal</translation>
    </message>
    <message>
        <source>host</source>
        <translation>host</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>sí</translation>
    </message>
    <message>
        <source>no</source>
        <translation>no</translation>
    </message>
    <message>
        <source>%1 command field</source>
        <translation>%1 campo de comando</translation>
    </message>
    <message>
        <source>%1 command fields</source>
        <translation>%1 campos de comando</translation>
    </message>
    <message>
        <source>%1 answer field</source>
        <translation>%1 campo de respuesta</translation>
    </message>
    <message>
        <source>%1 answer fields</source>
        <translation>%1 campos de respuesta</translation>
    </message>
    <message>
        <source>  %1  [%2] %3, %4</source>
        <translation>  %1  [%2] %3, %4</translation>
    </message>
    <message>
        <source>  (error: %1)</source>
        <translation>  (error: %1)</translation>
    </message>
    <message>
        <source>%1  [%2 port]
</source>
        <translation>%1  [puerto %2]
</translation>
    </message>
    <message>
        <source>Command fields:
</source>
        <translation>Campos de comando:
</translation>
    </message>
    <message>
        <source>     mode %1 (%2), hint &quot;%3&quot;, text type %4 (%5), default &quot;%6&quot;
</source>
        <translation>     modo %1 (%2), ayuda &quot;%3&quot;, tipo de texto %4 (%5), predeterminado &quot;%6&quot;
</translation>
    </message>
    <message>
        <source>     control %1 (%2), max length %3, required %4, read-only %5
</source>
        <translation>     control %1 (%2), longitud máxima %3, requerido %4, solo lectura %5
</translation>
    </message>
    <message>
        <source>     min length %1, decimal digits %2, auto-increment %3
</source>
        <translation>     longitud mínima %1, decimales %2, autoincremento %3
</translation>
    </message>
    <message>
        <source>     lines: %1
</source>
        <translation>     líneas: %1
</translation>
    </message>
    <message>
        <source>  (the file holds %1 fields; the first %2 are used)
</source>
        <translation>  (el archivo tiene %1 campos; se usan los primeros %2)
</translation>
    </message>
    <message>
        <source>Answer fields:
</source>
        <translation>Campos de respuesta:
</translation>
    </message>
    <message>
        <source>  %1. %2: text type %3 (%4), decimal digits %5
</source>
        <translation>  %1. %2: tipo de texto %3 (%4), decimales %5
</translation>
    </message>
    <message>
        <source>Notes:
</source>
        <translation>Notas:
</translation>
    </message>
</context>
<context>
    <name>TFormAboutBox</name>
    <message>
        <source>Version %1</source>
        <translation>Versión %1</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
</context>
<context>
    <name>TFormChildLogWindow</name>
    <message>
        <source>Log window</source>
        <translation>Ventana de registro</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Limpiar</translation>
    </message>
    <message>
        <source>Log file cannot be written: %1 (%2)</source>
        <translation>No se puede escribir el archivo de registro: %1 (%2)</translation>
    </message>
    <message>
        <source>&amp;Find:</source>
        <translation>&amp;Buscar:</translation>
    </message>
    <message>
        <source>Hex or text of a frame, in any case; Enter finds the next, Shift+Enter the previous</source>
        <translation>Hexadecimal o texto de una trama, en mayúsculas o minúsculas; Intro busca la siguiente, Mayús+Intro la anterior</translation>
    </message>
    <message>
        <source>Find the previous entry (Shift+F3)</source>
        <translation>Buscar la entrada anterior (Mayús+F3)</translation>
    </message>
    <message>
        <source>Find the next entry (F3)</source>
        <translation>Buscar la entrada siguiente (F3)</translation>
    </message>
    <message>
        <source>Close the find bar (Esc)</source>
        <translation>Cerrar la barra de búsqueda (Esc)</translation>
    </message>
    <message>
        <source>C&amp;opy</source>
        <translation>C&amp;opiar</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Buscar...</translation>
    </message>
    <message>
        <source>Save log &amp;as...</source>
        <translation>Guardar registro &amp;como...</translation>
    </message>
    <message>
        <source>Frames as &amp;hex</source>
        <translation>Tramas en &amp;hexadecimal</translation>
    </message>
    <message>
        <source>Frames as &amp;text</source>
        <translation>Tramas como &amp;texto</translation>
    </message>
    <message>
        <source>Frames as hex a&amp;nd text</source>
        <translation>Tramas en hexadecimal &amp;y texto</translation>
    </message>
    <message>
        <source>Not found</source>
        <translation>No encontrado</translation>
    </message>
    <message>
        <source>Wrapped round the end</source>
        <translation>Se continuó desde el otro extremo</translation>
    </message>
    <message>
        <source>Save log as</source>
        <translation>Guardar registro como</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>Archivos de texto (*.txt);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Unable to write to %1 (%2)</source>
        <translation>No se puede escribir en %1 (%2)</translation>
    </message>
</context>
<context>
    <name>TFormEditAnswerRecord</name>
    <message>
        <source>Add new field</source>
        <translation>Agregar campo nuevo</translation>
    </message>
    <message>
        <source>Edit field number %1</source>
        <translation>Editar el campo número %1</translation>
    </message>
    <message>
        <source>Select text format</source>
        <translation>Seleccione el formato del texto</translation>
    </message>
    <message>
        <source>Input decimal digits</source>
        <translation>Ingrese los dígitos decimales</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>C&amp;aption</source>
        <translation>&amp;Rótulo</translation>
    </message>
    <message>
        <source>&amp;Text type</source>
        <translation>&amp;Tipo de texto</translation>
    </message>
    <message>
        <source>D&amp;ecimal digits</source>
        <translation>&amp;Decimales</translation>
    </message>
</context>
<context>
    <name>TFormEditCmdAns</name>
    <message>
        <source>Edit %1 commands and answers</source>
        <translation>Editar comandos y respuestas de %1</translation>
    </message>
    <message>
        <source>Field number</source>
        <translation>Número de campo</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Modo</translation>
    </message>
    <message>
        <source>Caption</source>
        <translation>Rótulo</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Text type</source>
        <translation>Tipo de texto</translation>
    </message>
    <message>
        <source>Default text</source>
        <translation>Texto predeterminado</translation>
    </message>
    <message>
        <source>Control type</source>
        <translation>Tipo de control</translation>
    </message>
    <message>
        <source>Max length</source>
        <translation>Longitud máxima</translation>
    </message>
    <message>
        <source>Required</source>
        <translation>Obligatorio</translation>
    </message>
    <message>
        <source>Read only</source>
        <translation>Solo lectura</translation>
    </message>
    <message>
        <source>Min length</source>
        <translation>Longitud mínima</translation>
    </message>
    <message>
        <source>Decimal digits</source>
        <translation>Dígitos decimales</translation>
    </message>
    <message>
        <source>AutoIncrement</source>
        <translation>Autoincremento</translation>
    </message>
    <message>
        <source>Commands fields</source>
        <translation>Campos de comando</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Formato</translation>
    </message>
    <message>
        <source>Answer Fields</source>
        <translation>Campos de respuesta</translation>
    </message>
    <message>
        <source>C&amp;ommands</source>
        <translation>C&amp;omandos</translation>
    </message>
    <message>
        <source>A&amp;nswers</source>
        <translation>&amp;Respuestas</translation>
    </message>
    <message>
        <source>Add record</source>
        <translation>Agregar registro</translation>
    </message>
    <message>
        <source>Modify record</source>
        <translation>Modificar registro</translation>
    </message>
    <message>
        <source>Remove record</source>
        <translation>Eliminar registro</translation>
    </message>
    <message>
        <source>Do you wish to delete this field number? %1</source>
        <translation>¿Desea eliminar este número de campo? %1</translation>
    </message>
</context>
<context>
    <name>TFormEditCommandRecord</name>
    <message>
        <source>Add new field</source>
        <translation>Agregar campo nuevo</translation>
    </message>
    <message>
        <source>Edit field number %1</source>
        <translation>Editar el campo número %1</translation>
    </message>
    <message>
        <source>Select mode</source>
        <translation>Seleccione el modo</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Host</translation>
    </message>
    <message>
        <source>Fiscal</source>
        <translation>Fiscal</translation>
    </message>
    <message>
        <source>Enter caption text</source>
        <translation>Ingrese el texto del rótulo</translation>
    </message>
    <message>
        <source>Enter hint text</source>
        <translation>Ingrese el texto de ayuda</translation>
    </message>
    <message>
        <source>Select text type</source>
        <translation>Seleccione el tipo de texto</translation>
    </message>
    <message>
        <source>Enter default text</source>
        <translation>Ingrese el texto predeterminado</translation>
    </message>
    <message>
        <source>Select type of control</source>
        <translation>Seleccione el tipo de control</translation>
    </message>
    <message>
        <source>Enter minimum length </source>
        <translation>Ingrese la longitud mínima </translation>
    </message>
    <message>
        <source>Enter maximum user text</source>
        <translation>Ingrese la longitud máxima del texto</translation>
    </message>
    <message>
        <source>Enter decimal digits</source>
        <translation>Ingrese los dígitos decimales</translation>
    </message>
    <message>
        <source>Required</source>
        <translation>Obligatorio</translation>
    </message>
    <message>
        <source>Read Only</source>
        <translation>Solo lectura</translation>
    </message>
    <message>
        <source>Autoincrement</source>
        <translation>Autoincremento</translation>
    </message>
    <message>
        <source>Select other parameter</source>
        <translation>Seleccione otro parámetro</translation>
    </message>
    <message>
        <source>Enter combo box lines</source>
        <translation>Ingrese las líneas de la lista desplegable</translation>
    </message>
    <message>
        <source>Enter command notes</source>
        <translation>Ingrese las notas del comando</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>&amp;Mode</source>
        <translation>&amp;Modo</translation>
    </message>
    <message>
        <source>C&amp;aption</source>
        <translation>&amp;Rótulo</translation>
    </message>
    <message>
        <source>&amp;Hint</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>&amp;Text type</source>
        <translation>&amp;Tipo de texto</translation>
    </message>
    <message>
        <source>&amp;Default Text</source>
        <translation>Texto &amp;predeterminado</translation>
    </message>
    <message>
        <source>Co&amp;ntrol type</source>
        <translation>Tipo de contro&amp;l</translation>
    </message>
    <message>
        <source>M&amp;in length</source>
        <translation>Longitud mí&amp;nima</translation>
    </message>
    <message>
        <source>Ma&amp;x length</source>
        <translation>Longitud má&amp;xima</translation>
    </message>
    <message>
        <source>D&amp;ecimal digits</source>
        <translation>&amp;Decimales</translation>
    </message>
    <message>
        <source>Othe&amp;r</source>
        <translation>&amp;Otros</translation>
    </message>
    <message>
        <source>Com&amp;bo box lines</source>
        <translation>Líneas de la lista desplegable (com&amp;bo)</translation>
    </message>
    <message>
        <source>Note&amp;s</source>
        <translation>Nota&amp;s</translation>
    </message>
    <message>
        <source>Combo box line %1: %2</source>
        <translation>Línea %1 de la lista desplegable: %2</translation>
    </message>
</context>
<context>
    <name>TFormEditFixAnswer</name>
    <message>
        <source>Panel</source>
        <translation>Panel</translation>
    </message>
    <message>
        <source>Mask</source>
        <translation>Máscara</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Resultado</translation>
    </message>
    <message>
        <source>Text on true</source>
        <translation>Texto si es verdadero</translation>
    </message>
    <message>
        <source>Text color</source>
        <translation>Color del texto</translation>
    </message>
    <message>
        <source>Fix answer fields</source>
        <translation>Campos de respuesta fija</translation>
    </message>
    <message>
        <source>&amp;Fiscal</source>
        <translation>&amp;Fiscal</translation>
    </message>
    <message>
        <source>Fiscal answer fields definitions</source>
        <translation>Definiciones de los campos de estado fiscal</translation>
    </message>
    <message>
        <source>&amp;Printer</source>
        <translation>&amp;Impresora</translation>
    </message>
    <message>
        <source>Printer answer fields definitions</source>
        <translation>Definiciones de los campos de estado de impresora</translation>
    </message>
    <message>
        <source>Add new answer record</source>
        <translation>Agregar un registro de respuesta</translation>
    </message>
    <message>
        <source>Modify selected answer record </source>
        <translation>Modificar el registro de respuesta seleccionado </translation>
    </message>
    <message>
        <source>Remove selected answer record</source>
        <translation>Eliminar el registro de respuesta seleccionado</translation>
    </message>
    <message>
        <source>Do you wish to delete this field number? %1</source>
        <translation>¿Desea eliminar este número de campo? %1</translation>
    </message>
</context>
<context>
    <name>TFormEditFixAnswerRecord</name>
    <message>
        <source>Add answer record</source>
        <translation>Agregar registro de respuesta</translation>
    </message>
    <message>
        <source>Modify answer record</source>
        <translation>Modificar registro de respuesta</translation>
    </message>
    <message>
        <source>Input panel number</source>
        <translation>Ingrese el número de panel</translation>
    </message>
    <message>
        <source>Input hexadecimal mask value</source>
        <translation>Ingrese el valor hexadecimal de la máscara</translation>
    </message>
    <message>
        <source>Input hexadecimal result value</source>
        <translation>Ingrese el valor hexadecimal del resultado</translation>
    </message>
    <message>
        <source>Input message</source>
        <translation>Ingrese el mensaje</translation>
    </message>
    <message>
        <source>Select color</source>
        <translation>Seleccione el color</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>Accept options</source>
        <translation>Aceptar las opciones</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>Cancel options</source>
        <translation>Cancelar las opciones</translation>
    </message>
    <message>
        <source>&amp;Panel number</source>
        <translation>Número de &amp;panel</translation>
    </message>
    <message>
        <source>&amp;Mask</source>
        <translation>&amp;Máscara</translation>
    </message>
    <message>
        <source>&amp;Result</source>
        <translation>&amp;Resultado</translation>
    </message>
    <message>
        <source>&amp;Text on true</source>
        <translation>&amp;Texto si es verdadero</translation>
    </message>
    <message>
        <source>Text Co&amp;lor</source>
        <translation>Co&amp;lor del texto</translation>
    </message>
</context>
<context>
    <name>TFormEditReturnCode</name>
    <message>
        <source>Edit return codes</source>
        <translation>Editar códigos de retorno</translation>
    </message>
    <message>
        <source>R.C. number</source>
        <translation>Número de C.R.</translation>
    </message>
    <message>
        <source>Description text</source>
        <translation>Texto descriptivo</translation>
    </message>
    <message>
        <source>Return code text descriptions</source>
        <translation>Descripciones de los códigos de retorno</translation>
    </message>
    <message>
        <source>Add new return code</source>
        <translation>Agregar código de retorno</translation>
    </message>
    <message>
        <source>Modify return code</source>
        <translation>Modificar código de retorno</translation>
    </message>
    <message>
        <source>Remove return code</source>
        <translation>Eliminar código de retorno</translation>
    </message>
    <message>
        <source>Do you wish to delete return code %1</source>
        <translation>¿Desea eliminar el código de retorno %1?</translation>
    </message>
</context>
<context>
    <name>TFormMain</name>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Tessaly Terminal Files ( *.tsy)</source>
        <translation>Archivos de terminal de Tessaly ( *.tsy)</translation>
    </message>
    <message>
        <source>Tessaly Terminal</source>
        <translation>Tessaly Terminal</translation>
    </message>
    <message>
        <source>Last terminal file not found: %1</source>
        <translation>No se encontró el último archivo de terminal: %1</translation>
    </message>
    <message>
        <source>The new-file template is missing</source>
        <translation>Falta la plantilla de archivo nuevo</translation>
    </message>
    <message>
        <source>Open dialog</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>File not found: %1</source>
        <translation>No se encontró el archivo: %1</translation>
    </message>
    <message>
        <source>Save as </source>
        <translation>Guardar como</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>Mensajes</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Host port</source>
        <translation>Puerto host</translation>
    </message>
    <message>
        <source>Fiscal port</source>
        <translation>Puerto fiscal</translation>
    </message>
</context>
<context>
    <name>TFormOverwriteNewCommand</name>
    <message>
        <source>Command already exists, choose action</source>
        <translation>El comando ya existe, elija una acción</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>&amp;Overwrite</source>
        <translation>&amp;Sobrescribir</translation>
    </message>
    <message>
        <source>Overwrite command name</source>
        <translation>Sobrescribir el comando con ese nombre</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Nuevo</translation>
    </message>
    <message>
        <source>New command name</source>
        <translation>Nuevo nombre de comando</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>Cancel paste</source>
        <translation>Cancelar el pegado</translation>
    </message>
</context>
<context>
    <name>TFormPlanRun</name>
    <message>
        <source>Plan %1</source>
        <translation>Plan %1</translation>
    </message>
    <message>
        <source>%v of %m steps</source>
        <translation>%v de %m pasos</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Paso</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Comando</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Desenlace</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Tiempo</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Resultado</translation>
    </message>
    <message>
        <source>&amp;Open in terminal window</source>
        <translation>&amp;Abrir en la ventana de terminal</translation>
    </message>
    <message>
        <source>Show the failed step&apos;s command with the values it went out with</source>
        <translation>Muestra el comando del paso fallido con los valores con que salió</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Detener</translation>
    </message>
    <message>
        <source>Stop the plan once the step under way has ended</source>
        <translation>Detiene el plan cuando termine el paso en curso</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Cerrar</translation>
    </message>
    <message>
        <source>waited</source>
        <translation>esperó</translation>
    </message>
    <message>
        <source>answer</source>
        <translation>respuesta</translation>
    </message>
    <message>
        <source>ACK</source>
        <translation>ACK</translation>
    </message>
    <message>
        <source>time-out</source>
        <translation>tiempo agotado</translation>
    </message>
    <message>
        <source>write error</source>
        <translation>error de escritura</translation>
    </message>
    <message>
        <source>NAK</source>
        <translation>NAK</translation>
    </message>
    <message>
        <source>bad input</source>
        <translation>entrada no válida</translation>
    </message>
    <message>
        <source>port closed</source>
        <translation>puerto cerrado</translation>
    </message>
    <message>
        <source>refused</source>
        <translation>rechazado</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>cancelado</translation>
    </message>
    <message>
        <source>not sent</source>
        <translation>no enviado</translation>
    </message>
    <message>
        <source>Stopping once this step has ended ...</source>
        <translation>Se detendrá cuando termine este paso ...</translation>
    </message>
    <message>
        <source>running ...</source>
        <translation>en curso ...</translation>
    </message>
    <message>
        <source>%1 ms</source>
        <translation>%1 ms</translation>
    </message>
    <message>
        <source>passed</source>
        <translation>correcto</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fallido</translation>
    </message>
    <message>
        <source>not run</source>
        <translation>no ejecutado</translation>
    </message>
    <message>
        <source>%1 passed, %2 failed, %3 not run, in %4 ms</source>
        <translation>%1 correctos, %2 fallidos, %3 no ejecutados, en %4 ms</translation>
    </message>
    <message>
        <source>Stopped: %1</source>
        <translation>Detenido: %1</translation>
    </message>
    <message>
        <source>The terminal file no longer holds the command %1.</source>
        <translation>El archivo de terminal ya no contiene el comando %1.</translation>
    </message>
</context>
<context>
    <name>TFormPreferences</name>
    <message>
        <source>0: no time-out, the answer is awaited until Cancel or Reset serial ports</source>
        <translation>0: sin tiempo de espera, la respuesta se espera hasta Cancelar o Reiniciar puertos serie</translation>
    </message>
    <message>
        <source>System preferences</source>
        <translation>Preferencias del sistema</translation>
    </message>
    <message>
        <source>&amp;Host port</source>
        <translation>Puerto &amp;host</translation>
    </message>
    <message>
        <source>Select Host related preferences</source>
        <translation>Preferencias del puerto host</translation>
    </message>
    <message>
        <source>Select protocol type</source>
        <translation>Seleccione el tipo de protocolo</translation>
    </message>
    <message>
        <source>Compatible</source>
        <translation>Compatible</translation>
    </message>
    <message>
        <source>Extended</source>
        <translation>Extendido</translation>
    </message>
    <message>
        <source>Select Comm port</source>
        <translation>Seleccione el puerto de comunicación</translation>
    </message>
    <message>
        <source>Select baud rate port</source>
        <translation>Seleccione la velocidad del puerto (baudios)</translation>
    </message>
    <message>
        <source>&amp;Protocol</source>
        <translation>&amp;Protocolo</translation>
    </message>
    <message>
        <source>Co&amp;mm port</source>
        <translation>P&amp;uerto</translation>
    </message>
    <message>
        <source>&amp;Baud rate</source>
        <translation>&amp;Velocidad (baudios)</translation>
    </message>
    <message>
        <source>&amp;Fiscal port</source>
        <translation>Puerto &amp;fiscal</translation>
    </message>
    <message>
        <source>Fiscal related preferences</source>
        <translation>Preferencias del puerto fiscal</translation>
    </message>
    <message>
        <source>Select comm port</source>
        <translation>Seleccione el puerto de comunicación</translation>
    </message>
    <message>
        <source>Enter communications time-out in ms. Zero indicate infinite.</source>
        <translation>Ingrese el tiempo de espera de la comunicación en ms. Cero indica sin límite.</translation>
    </message>
    <message>
        <source>Tim&amp;e out in ms</source>
        <translation>Tiempo de espera e&amp;n ms</translation>
    </message>
    <message>
        <source>&amp;Log</source>
        <translation>Re&amp;gistro</translation>
    </message>
    <message>
        <source>Log related preferences</source>
        <translation>Preferencias del registro</translation>
    </message>
    <message>
        <source>Select Host frame color</source>
        <translation>Seleccione el color de las tramas del host</translation>
    </message>
    <message>
        <source>Select Fiscal printer frame color</source>
        <translation>Seleccione el color de las tramas de la impresora fiscal</translation>
    </message>
    <message>
        <source>Select Fiscal frame color</source>
        <translation>Seleccione el color de las tramas fiscales</translation>
    </message>
    <message>
        <source>Lo&amp;w level log</source>
        <translation>Registro de &amp;bajo nivel</translation>
    </message>
    <message>
        <source>Enable low level communications log</source>
        <translation>Activa el registro de comunicaciones de bajo nivel</translation>
    </message>
    <message>
        <source>Host fr&amp;ame color</source>
        <translation>Color de trama &amp;del host</translation>
    </message>
    <message>
        <source>Fiscal pri&amp;nter frame color</source>
        <translation>Color de trama de la imp&amp;resora fiscal</translation>
    </message>
    <message>
        <source>F&amp;iscal frame color</source>
        <translation>Color de trama fisca&amp;l</translation>
    </message>
    <message>
        <source>O&amp;ther</source>
        <translation>O&amp;tros</translation>
    </message>
    <message>
        <source>Miscellaneous related preferences</source>
        <translation>Otras preferencias</translation>
    </message>
    <message>
        <source>Select application language</source>
        <translation>Seleccione el idioma de la aplicación</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Inglés</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Español</translation>
    </message>
    <message>
        <source>Select inputs fields date format</source>
        <translation>Seleccione el formato de fecha de los campos de entrada</translation>
    </message>
    <message>
        <source>Select input fields date format</source>
        <translation>Seleccione el formato de fecha de los campos de salida</translation>
    </message>
    <message>
        <source>&amp;Show reserved fields</source>
        <translation>&amp;Mostrar campos reservados</translation>
    </message>
    <message>
        <source>Show reserved fields in extended protocol</source>
        <translation>Muestra los campos reservados en el protocolo extendido</translation>
    </message>
    <message>
        <source>Lan&amp;guage</source>
        <translation>&amp;Idioma</translation>
    </message>
    <message>
        <source>Input &amp;date format</source>
        <translation>Formato de fecha de &amp;entrada</translation>
    </message>
    <message>
        <source>O&amp;utput date format</source>
        <translation>Formato de fecha de &amp;salida</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>Comm po&amp;rt</source>
        <translation>Puert&amp;o</translation>
    </message>
    <message>
        <source>Show the time column in the log window</source>
        <translation>Mostrar la columna de la hora en la ventana de registro</translation>
    </message>
    <message>
        <source>Start every line of the log file with the time of its event</source>
        <translation>Comenzar cada línea del archivo de registro con la hora de su evento</translation>
    </message>
    <message>
        <source>Show the time of each entr&amp;y</source>
        <translation>Mostrar la hora de cada entrada</translation>
    </message>
    <message>
        <source>Mar&amp;k each log file line with its time</source>
        <translation>Anotar la hora en cada línea del archivo de registro</translation>
    </message>
</context>
<context>
    <name>TFormRcRecord</name>
    <message>
        <source>Add new return code</source>
        <translation>Agregar código de retorno</translation>
    </message>
    <message>
        <source>Modify return code</source>
        <translation>Modificar código de retorno</translation>
    </message>
    <message>
        <source>Enter return code number</source>
        <translation>Ingrese el número de código de retorno</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>Accept data</source>
        <translation>Aceptar los datos</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>&amp;Return code number</source>
        <translation>Número de código de &amp;retorno</translation>
    </message>
    <message>
        <source>&amp;Description text</source>
        <translation>&amp;Descripción</translation>
    </message>
</context>
<context>
    <name>TFormTestFixedAnswer</name>
    <message>
        <source>Test fixed answers</source>
        <translation>Probar respuestas fijas</translation>
    </message>
    <message>
        <source>Input hexadecimal fiscal answer value</source>
        <translation>Ingrese el valor hexadecimal del estado fiscal</translation>
    </message>
    <message>
        <source>Input hexadecimal printer answer value</source>
        <translation>Ingrese el valor hexadecimal del estado de impresora</translation>
    </message>
    <message>
        <source>&amp;Test</source>
        <translation>&amp;Probar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>&amp;Fiscal</source>
        <translation>&amp;Fiscal</translation>
    </message>
    <message>
        <source>&amp;Printer</source>
        <translation>&amp;Impresora</translation>
    </message>
</context>
<context>
    <name>TIniEncoding</name>
    <message>
        <source>The character &quot;%1&quot; (%2) cannot be stored in %3: the file is in Windows-1252, which has no such character. Nothing was changed.</source>
        <translation>El carácter &quot;%1&quot; (%2) no se puede guardar en %3: el archivo está en Windows-1252, que no tiene ese carácter. No se cambió nada.</translation>
    </message>
    <message>
        <source>The character %1 cannot be stored in %2: it is half of a surrogate pair, not a whole character. Nothing was changed.</source>
        <translation>El carácter %1 no se puede guardar en %2: es la mitad de un par sustituto, no un carácter completo. No se cambió nada.</translation>
    </message>
    <message>
        <source>The change cannot be stored in %1: without the lines it removes or replaces, this Windows-1252 file would read as UTF-8 and its accented texts would change. Nothing was changed.</source>
        <translation>El cambio no se puede guardar en %1: sin las líneas que quita o reemplaza, este archivo Windows-1252 se leería como UTF-8 y sus textos acentuados cambiarían. No se cambió nada.</translation>
    </message>
</context>
<context>
    <name>TMainActions</name>
    <message>
        <source>Enable Fiscal port</source>
        <translation>Habilitar puerto fiscal</translation>
    </message>
    <message>
        <source>Disable Fiscal port</source>
        <translation>Deshabilitar puerto fiscal</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Nuevo</translation>
    </message>
    <message>
        <source>New terminal file</source>
        <translation>Nuevo archivo de terminal</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Abrir</translation>
    </message>
    <message>
        <source>Open terminal file</source>
        <translation>Abrir archivo de terminal</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Cerrar</translation>
    </message>
    <message>
        <source>Close terminal file</source>
        <translation>Cerrar archivo de terminal</translation>
    </message>
    <message>
        <source>Save Terminal As ...</source>
        <translation>Guardar terminal como ...</translation>
    </message>
    <message>
        <source>Save terminal file</source>
        <translation>Guardar archivo de terminal</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>Application exit </source>
        <translation>Salir de la aplicación</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>&amp;Cascada</translation>
    </message>
    <message>
        <source>Cascade windows</source>
        <translation>Ventanas en cascada</translation>
    </message>
    <message>
        <source>Tile &amp;Horizontally</source>
        <translation>Mosaico &amp;horizontal</translation>
    </message>
    <message>
        <source>Tile horizontally</source>
        <translation>Ventanas en mosaico horizontal</translation>
    </message>
    <message>
        <source>&amp;Tile Vertically</source>
        <translation>Mosaico &amp;vertical</translation>
    </message>
    <message>
        <source>Tile vertically</source>
        <translation>Ventanas en mosaico vertical</translation>
    </message>
    <message>
        <source>&amp;Minimize All</source>
        <translation>&amp;Minimizar todas</translation>
    </message>
    <message>
        <source>Minimize windows</source>
        <translation>Minimizar las ventanas</translation>
    </message>
    <message>
        <source>&amp;Arrange</source>
        <translation>&amp;Organizar</translation>
    </message>
    <message>
        <source>Arrange windows</source>
        <translation>Organizar las ventanas</translation>
    </message>
    <message>
        <source>&amp;Edit fixed answer fields</source>
        <translation>&amp;Editar campos de respuesta fija</translation>
    </message>
    <message>
        <source>Edit fixed answer fields</source>
        <translation>Editar campos de respuesta fija</translation>
    </message>
    <message>
        <source>&amp;Test fixed answer fields</source>
        <translation>&amp;Probar campos de respuesta fija</translation>
    </message>
    <message>
        <source>Test fixed answer fields</source>
        <translation>Probar campos de respuesta fija</translation>
    </message>
    <message>
        <source>Edit &amp;Return code </source>
        <translation>Editar código de &amp;retorno</translation>
    </message>
    <message>
        <source>Edit return code description</source>
        <translation>Editar la descripción de los códigos de retorno</translation>
    </message>
    <message>
        <source>&amp;Edit fields</source>
        <translation>&amp;Editar campos</translation>
    </message>
    <message>
        <source>Edit the fields of the selected command</source>
        <translation>Editar los campos del comando seleccionado</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>C&amp;opiar</translation>
    </message>
    <message>
        <source>Copy|Copy</source>
        <translation>Copiar|Copiar</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Cor&amp;tar</translation>
    </message>
    <message>
        <source>Cut|Cut</source>
        <translation>Cortar|Cortar</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Pegar</translation>
    </message>
    <message>
        <source>Paste|Paste</source>
        <translation>Pegar|Pegar</translation>
    </message>
    <message>
        <source>Re&amp;set serial ports</source>
        <translation>Reiniciar puertos &amp;serie</translation>
    </message>
    <message>
        <source>Reset all open serial ports</source>
        <translation>Reiniciar todos los puertos serie abiertos</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>Pre&amp;ferencias</translation>
    </message>
    <message>
        <source>System preferences|System preferences</source>
        <translation>Preferencias del sistema|Preferencias del sistema</translation>
    </message>
    <message>
        <source>Fiscal port</source>
        <translation>Puerto fiscal</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;Acerca de...</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>File related commands</source>
        <translation>Comandos de archivo</translation>
    </message>
    <message>
        <source>Save terminal file &amp;As ...</source>
        <translation>&amp;Guardar archivo de terminal como ...</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Edición</translation>
    </message>
    <message>
        <source>Edit commands</source>
        <translation>Comandos de edición</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Opciones</translation>
    </message>
    <message>
        <source>Options|Options </source>
        <translation>Opciones|Opciones</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Ventana</translation>
    </message>
    <message>
        <source>Window related commands</source>
        <translation>Comandos de ventanas</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ay&amp;uda</translation>
    </message>
    <message>
        <source>Help topics</source>
        <translation>Temas de ayuda</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>Principal</translation>
    </message>
    <message>
        <source>Save terminal file as ...</source>
        <translation>Guardar archivo de terminal como ...</translation>
    </message>
    <message>
        <source>Record &amp;capture...</source>
        <translation>Grabar &amp;captura...</translation>
    </message>
    <message>
        <source>Record every exchange of both ports into a capture file</source>
        <translation>Grabar cada intercambio de ambos puertos en un archivo de captura</translation>
    </message>
    <message>
        <source>Stop &amp;capture</source>
        <translation>Detener &amp;captura</translation>
    </message>
    <message>
        <source>Stop recording the capture</source>
        <translation>Detener la grabación de la captura</translation>
    </message>
    <message>
        <source>Run &amp;plan ...</source>
        <translation>Ejecutar &amp;plan ...</translation>
    </message>
    <message>
        <source>Run plan|Run a test plan against the terminal file on display</source>
        <translation>Ejecutar plan|Ejecuta un plan de prueba sobre el archivo de terminal mostrado</translation>
    </message>
</context>
<context>
    <name>TMainCapture</name>
    <message>
        <source>Captures (*.tcap);;All files (*)</source>
        <translation>Capturas (*.tcap);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Record capture</source>
        <translation>Grabar captura</translation>
    </message>
    <message>
        <source>%1
The capture has stopped; the records before this one are kept.</source>
        <translation>%1
La captura se ha detenido; se conservan los registros anteriores a este.</translation>
    </message>
</context>
<context>
    <name>TMainPlans</name>
    <message>
        <source>Run plan</source>
        <translation>Ejecutar plan</translation>
    </message>
    <message>
        <source>Test plans (*.%1);;All files (*)</source>
        <translation>Planes de prueba (*.%1);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>The plan %1 cannot run; nothing was sent:</source>
        <translation>El plan %1 no puede ejecutarse; no se envió nada:</translation>
    </message>
</context>
<context>
    <name>TMainPorts</name>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Error when trying to open the Host port</source>
        <translation>Error al intentar abrir el puerto host</translation>
    </message>
    <message>
        <source>Error when trying to open the Fiscal port</source>
        <translation>Error al intentar abrir el puerto fiscal</translation>
    </message>
</context>
<context>
    <name>TPlanChecker</name>
    <message>
        <source>no earlier step keeps a value &quot;%1&quot;</source>
        <translation>ningún paso anterior guarda un valor &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1 has no command &quot;%2&quot; (GROUP/COMMAND)</source>
        <translation>%1 no tiene el comando &quot;%2&quot; (GRUPO/COMANDO)</translation>
    </message>
    <message>
        <source>%1 cannot be sent: %2</source>
        <translation>%1 no se puede enviar: %2</translation>
    </message>
    <message>
        <source>%1 has no command fields: nothing to send</source>
        <translation>%1 no tiene campos de comando: no hay nada que enviar</translation>
    </message>
    <message>
        <source>%1 goes to the fiscal port, which has no Repeat</source>
        <translation>%1 va al puerto fiscal, que no admite Repetir</translation>
    </message>
    <message>
        <source>%1 has no field &quot;%2&quot; (give its number from 1 to %3 or its caption)</source>
        <translation>%1 no tiene el campo &quot;%2&quot; (indique su número de 1 a %3 o su título)</translation>
    </message>
    <message>
        <source>%1 is given a value twice (first on line %2)</source>
        <translation>%1 recibe un valor dos veces (la primera en la línea %2)</translation>
    </message>
    <message>
        <source>%1: its answer fields cannot be read: %2</source>
        <translation>%1: sus campos de respuesta no se pueden leer: %2</translation>
    </message>
    <message>
        <source>%1 has no answer field &quot;%2&quot;</source>
        <translation>%1 no tiene el campo de respuesta &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1 has %2 answer fields called &quot;%3&quot;: the label does not tell which</source>
        <translation>%1 tiene %2 campos de respuesta llamados &quot;%3&quot;: la etiqueta no dice cuál</translation>
    </message>
    <message>
        <source>the fiscal port</source>
        <translation>el puerto fiscal</translation>
    </message>
    <message>
        <source>the host port</source>
        <translation>el puerto host</translation>
    </message>
    <message>
        <source>%1 goes to %2, whose answers this expectation cannot be about</source>
        <translation>%1 va a %2, y esta expectativa no puede referirse a sus respuestas</translation>
    </message>
    <message>
        <source>no fixed answer of %1 shows &quot;%2&quot;</source>
        <translation>ninguna respuesta fija de %1 muestra &quot;%2&quot;</translation>
    </message>
    <message>
        <source>no return code of %1 is described as &quot;%2&quot;</source>
        <translation>ningún código de retorno de %1 se describe como &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1 goes to the fiscal port: its answers have no fields to keep</source>
        <translation>%1 va al puerto fiscal: sus respuestas no tienen campos que guardar</translation>
    </message>
    <message>
        <source>Terminal: %1: no such file</source>
        <translation>Terminal: %1: no existe el archivo</translation>
    </message>
    <message>
        <source>Terminal: %1: %2</source>
        <translation>Terminal: %1: %2</translation>
    </message>
</context>
<context>
    <name>TPlanExpectations</name>
    <message>
        <source>no answer</source>
        <translation>sin respuesta</translation>
    </message>
    <message>
        <source>no panel</source>
        <translation>ningún panel</translation>
    </message>
    <message>
        <source>answer or ack</source>
        <translation>answer o ack</translation>
    </message>
    <message>
        <source>Kept value</source>
        <translation>Valor guardado</translation>
    </message>
    <message>
        <source>nothing kept</source>
        <translation>nada guardado</translation>
    </message>
    <message>
        <source>not %1</source>
        <translation>no %1</translation>
    </message>
    <message>
        <source>no such field in the answer</source>
        <translation>la respuesta no tiene ese campo</translation>
    </message>
    <message>
        <source>not a valid pattern: %1</source>
        <translation>no es un patrón válido: %1</translation>
    </message>
    <message>
        <source>%1, not a number</source>
        <translation>%1, no es un número</translation>
    </message>
    <message>
        <source>a value for &quot;%1&quot;</source>
        <translation>un valor para &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1 answers</source>
        <translation>%1 respuestas</translation>
    </message>
</context>
<context>
    <name>TPlanInputs</name>
    <message>
        <source>the command has no field %1</source>
        <translation>el comando no tiene el campo %1</translation>
    </message>
    <message>
        <source>%1 is a %2 picker: give it with %3</source>
        <translation>%1 es un selector de %2: indíquelo con %3</translation>
    </message>
    <message>
        <source>date</source>
        <translation>fecha</translation>
    </message>
    <message>
        <source>time</source>
        <translation>hora</translation>
    </message>
    <message>
        <source>%1 is read-only: its text cannot be changed</source>
        <translation>%1 es de solo lectura: su texto no se puede cambiar</translation>
    </message>
    <message>
        <source>%1 is not a date picker</source>
        <translation>%1 no es un selector de fecha</translation>
    </message>
    <message>
        <source>%1 is not a time picker</source>
        <translation>%1 no es un selector de hora</translation>
    </message>
    <message>
        <source>%1: no value is kept under &quot;%2&quot;</source>
        <translation>%1: no hay ningún valor guardado como &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a date YYYY-MM-DD</source>
        <translation>%1: &quot;%2&quot; no es una fecha AAAA-MM-DD</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a time HH:MM:SS</source>
        <translation>%1: &quot;%2&quot; no es una hora HH:MM:SS</translation>
    </message>
</context>
<context>
    <name>TPlanJUnit</name>
    <message>
        <source>cannot write the JUnit file %1: %2</source>
        <translation>no se puede escribir el archivo JUnit %1: %2</translation>
    </message>
</context>
<context>
    <name>TPlanOpener</name>
    <message>
        <source>Terminal: %1 is not the terminal file on display, %2</source>
        <translation>Terminal: %1 no es el archivo de terminal mostrado, %2</translation>
    </message>
    <message>
        <source>the host port is not open; its commands cannot go out</source>
        <translation>el puerto host no está abierto; sus comandos no pueden salir</translation>
    </message>
    <message>
        <source>the fiscal port is not open; its commands cannot go out</source>
        <translation>el puerto fiscal no está abierto; sus comandos no pueden salir</translation>
    </message>
</context>
<context>
    <name>TPlanReader</name>
    <message>
        <source>cannot be read: %1</source>
        <translation>no se puede leer: %1</translation>
    </message>
    <message>
        <source>a section header ends with &quot;]&quot;</source>
        <translation>el encabezado de una sección termina con &quot;]&quot;</translation>
    </message>
    <message>
        <source>expected KEY = VALUE, a [section] or a comment</source>
        <translation>se esperaba CLAVE = VALOR, una [sección] o un comentario</translation>
    </message>
    <message>
        <source>a line without its key</source>
        <translation>una línea sin su clave</translation>
    </message>
    <message>
        <source>&quot;%1&quot; stands before any section: start with [Plan]</source>
        <translation>&quot;%1&quot; está antes de cualquier sección: empiece con [Plan]</translation>
    </message>
    <message>
        <source>a second [Plan] section</source>
        <translation>una segunda sección [Plan]</translation>
    </message>
    <message>
        <source>[Plan] comes before the steps</source>
        <translation>[Plan] va antes de los pasos</translation>
    </message>
    <message>
        <source>unknown section [%1]: a plan has [Plan] and [Step] sections</source>
        <translation>sección desconocida [%1]: un plan tiene secciones [Plan] y [Step]</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is given twice in this section</source>
        <translation>&quot;%1&quot; aparece dos veces en esta sección</translation>
    </message>
    <message>
        <source>Terminal names the terminal file, relative to the plan</source>
        <translation>Terminal nombra el archivo de terminal, relativo al plan</translation>
    </message>
    <message>
        <source>unknown key &quot;%1&quot; in [Plan]: it takes Name and Terminal</source>
        <translation>clave desconocida &quot;%1&quot; en [Plan]: admite Name y Terminal</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names the %2 after it</source>
        <translation>&quot;%1&quot; nombra a continuación el %2</translation>
    </message>
    <message>
        <source>Command names a command as GROUP/COMMAND</source>
        <translation>Command nombra un comando como GRUPO/COMANDO</translation>
    </message>
    <message>
        <source>Repeat &quot;%1&quot;: give a count from 1 to %2</source>
        <translation>Repeat &quot;%1&quot;: indique una cantidad de 1 a %2</translation>
    </message>
    <message>
        <source>Wait &quot;%1&quot;: give a time such as 500 ms or 2 s, at most an hour</source>
        <translation>Wait &quot;%1&quot;: indique un tiempo como 500 ms o 2 s, como mucho una hora</translation>
    </message>
    <message>
        <source>field (its number from 1 or its caption)</source>
        <translation>campo (su número desde 1 o su título)</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a date YYYY-MM-DD</source>
        <translation>%1: &quot;%2&quot; no es una fecha AAAA-MM-DD</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a time HH:MM:SS</source>
        <translation>%1: &quot;%2&quot; no es una hora HH:MM:SS</translation>
    </message>
    <message>
        <source>Outcome &quot;%1&quot;: use answer, ack, nak, timeout, bad-input or write-error</source>
        <translation>Outcome &quot;%1&quot;: use answer, ack, nak, timeout, bad-input o write-error</translation>
    </message>
    <message>
        <source>Return code %1: codes run from 0 to 65535</source>
        <translation>Return code %1: los códigos van de 0 a 65535</translation>
    </message>
    <message>
        <source>Return code: give a number or its text from the terminal file</source>
        <translation>Return code: indique un número o su texto del archivo de terminal</translation>
    </message>
    <message>
        <source>%1: give the text of a status panel</source>
        <translation>%1: indique el texto de un panel de estado</translation>
    </message>
    <message>
        <source>Fiscal answers &quot;%1&quot;: give the number of answers</source>
        <translation>Fiscal answers &quot;%1&quot;: indique la cantidad de respuestas</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: name the fiscal answer by its number from 1</source>
        <translation>&quot;%1&quot;: nombre la respuesta fiscal por su número desde 1</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a valid pattern: %3</source>
        <translation>%1: &quot;%2&quot; no es un patrón válido: %3</translation>
    </message>
    <message>
        <source>answer field (its label)</source>
        <translation>campo de respuesta (su etiqueta)</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot;: give MIN .. MAX, numbers, either may be left out</source>
        <translation>%1 &quot;%2&quot;: indique MIN .. MAX, números; cualquiera de los dos puede omitirse</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot;: the lower end is above the upper end</source>
        <translation>%1 &quot;%2&quot;: el extremo inferior está por encima del superior</translation>
    </message>
    <message>
        <source>%1 = &quot;%2&quot;: a kept value&apos;s name is made of letters, digits and _</source>
        <translation>%1 = &quot;%2&quot;: el nombre de un valor guardado se forma con letras, dígitos y _</translation>
    </message>
    <message>
        <source>unknown key &quot;%1&quot; in a step (see docs/plans.md)</source>
        <translation>clave desconocida &quot;%1&quot; en un paso (vea docs/plans.md)</translation>
    </message>
    <message>
        <source>the step neither sends a Command nor waits (Wait)</source>
        <translation>el paso ni envía un comando (Command) ni espera (Wait)</translation>
    </message>
    <message>
        <source>a step either sends a Command or waits, not both</source>
        <translation>un paso envía un comando (Command) o espera, no ambas cosas</translation>
    </message>
    <message>
        <source>a wait sends nothing: field values, Repeat, expectations and Keep belong to a Command</source>
        <translation>una espera no envía nada: los valores de campo, Repeat, las expectativas y Keep van con un Command</translation>
    </message>
    <message>
        <source>no [Plan] section naming the terminal file</source>
        <translation>falta la sección [Plan] que nombra el archivo de terminal</translation>
    </message>
    <message>
        <source>[Plan] has no Terminal naming the terminal file</source>
        <translation>[Plan] no tiene Terminal que nombre el archivo de terminal</translation>
    </message>
    <message>
        <source>the plan has no [Step]</source>
        <translation>el plan no tiene ningún [Step]</translation>
    </message>
    <message>
        <source>not a plan: the file is not UTF-8 text</source>
        <translation>no es un plan: el archivo no es texto UTF-8</translation>
    </message>
</context>
<context>
    <name>TPlanReport</name>
    <message>
        <source>wait</source>
        <translation>espera</translation>
    </message>
    <message>
        <source>passed</source>
        <translation>correcto</translation>
    </message>
    <message>
        <source>FAILED</source>
        <translation>FALLÓ</translation>
    </message>
    <message>
        <source>done</source>
        <translation>hecho</translation>
    </message>
    <message>
        <source> (line %1)</source>
        <translation> (línea %1)</translation>
    </message>
    <message>
        <source>%1: %2 steps, %3 passed, %4 failed</source>
        <translation>%1: %2 pasos, %3 correctos, %4 fallidos</translation>
    </message>
    <message>
        <source>, %1 not run</source>
        <translation>, %1 sin ejecutar</translation>
    </message>
    <message>
        <source> in %1 ms</source>
        <translation> en %1 ms</translation>
    </message>
</context>
<context>
    <name>TPlanRun</name>
    <message>
        <source>Field values</source>
        <translation>Valores de campo</translation>
    </message>
    <message>
        <source>every kept value</source>
        <translation>todos los valores guardados</translation>
    </message>
</context>
<context>
    <name>TPlanValues</name>
    <message>
        <source>&quot;${&quot; without its closing &quot;}&quot;</source>
        <translation>&quot;${&quot; sin su &quot;}&quot; de cierre</translation>
    </message>
    <message>
        <source>&quot;${%1}&quot;: a kept value&apos;s name is made of letters, digits and _</source>
        <translation>&quot;${%1}&quot;: el nombre de un valor guardado se forma con letras, dígitos y _</translation>
    </message>
</context>
<context>
    <name>TPortList</name>
    <message>
        <source>No serial devices found; a device path can still be given with --port.</source>
        <translation>No se encontraron dispositivos serie; igualmente puede darse una ruta de dispositivo con --port.</translation>
    </message>
</context>
<context>
    <name>TPorts</name>
    <message>
        <source>Disabled</source>
        <translation>Deshabilitado</translation>
    </message>
    <message>
        <source>%1: device gone</source>
        <translation>%1: dispositivo desconectado</translation>
    </message>
</context>
<context>
    <name>TPrompts</name>
    <message>
        <source>Error when trying to open the Host port</source>
        <translation>Error al intentar abrir el puerto host</translation>
    </message>
    <message>
        <source>An answer field needs a caption</source>
        <translation>Un campo de respuesta necesita un rótulo</translation>
    </message>
    <message>
        <source>Maximum number of dynamic controls reached!!!</source>
        <translation>¡¡¡Se alcanzó la cantidad máxima de controles!!!</translation>
    </message>
    <message>
        <source>The return codes already exits !!!</source>
        <translation>¡¡¡El código de retorno ya existe!!!</translation>
    </message>
    <message>
        <source>Input text:</source>
        <translation>Ingrese el texto:</translation>
    </message>
    <message>
        <source> E R R O R </source>
        <translation> E R R O R </translation>
    </message>
    <message>
        <source> W A R N I N G </source>
        <translation> A D V E R T E N C I A </translation>
    </message>
</context>
<context>
    <name>TSendInputs</name>
    <message>
        <source>%1 &apos;%2&apos;: expected N=VALUE with N a field number</source>
        <translation>%1 &apos;%2&apos;: se esperaba N=VALOR con N un número de campo</translation>
    </message>
    <message>
        <source>%1 &apos;%2&apos;: the command has no field %3 (it has %4)</source>
        <translation>%1 &apos;%2&apos;: el comando no tiene campo %3 (tiene %4)</translation>
    </message>
    <message>
        <source>%1 is a %2 picker: give it with --%3</source>
        <translation>%1 es un selector (%2): indíquelo con --%3</translation>
    </message>
    <message>
        <source>%1 is read-only: its text cannot be changed</source>
        <translation>%1 es de solo lectura: su texto no se puede cambiar</translation>
    </message>
    <message>
        <source>%1 is not a date picker</source>
        <translation>%1 no es un selector de fecha</translation>
    </message>
    <message>
        <source>%1: &apos;%2&apos; is not a date YYYY-MM-DD</source>
        <translation>%1: &apos;%2&apos; no es una fecha AAAA-MM-DD</translation>
    </message>
    <message>
        <source>%1 is not a time picker</source>
        <translation>%1 no es un selector de hora</translation>
    </message>
    <message>
        <source>%1: &apos;%2&apos; is not a time HH:MM:SS</source>
        <translation>%1: &apos;%2&apos; no es una hora HH:MM:SS</translation>
    </message>
</context>
<context>
    <name>TSendReport</name>
    <message>
        <source>  panel %1: %2 (%3)
</source>
        <translation>  panel %1: %2 (%3)
</translation>
    </message>
    <message>
        <source>Outcome: %1 (%2 sent)
</source>
        <translation>Resultado: %1 (%2 enviados)
</translation>
    </message>
    <message>
        <source>Fiscal status: %1
</source>
        <translation>Estado fiscal: %1
</translation>
    </message>
    <message>
        <source>Printer status: %1
</source>
        <translation>Estado de la impresora: %1
</translation>
    </message>
    <message>
        <source>Return code: %1 </source>
        <translation>Código de retorno: %1 </translation>
    </message>
    <message>
        <source>Fiscal answer: </source>
        <translation>Respuesta fiscal: </translation>
    </message>
    <message>
        <source>Steps answered: %1; fastest %2 ms, mean %3 ms, slowest %4 ms
</source>
        <translation>Pasos respondidos: %1; el más rápido %2 ms, media %3 ms, el más lento %4 ms
</translation>
    </message>
</context>
<context>
    <name>TSerialDevices</name>
    <message>
        <source>serial %1</source>
        <translation>serie %1</translation>
    </message>
    <message>
        <source>Description: %1</source>
        <translation>Descripción: %1</translation>
    </message>
    <message>
        <source>Manufacturer: %1</source>
        <translation>Fabricante: %1</translation>
    </message>
    <message>
        <source>Serial number: %1</source>
        <translation>Número de serie: %1</translation>
    </message>
    <message>
        <source>USB id: %1:%2</source>
        <translation>Id USB: %1:%2</translation>
    </message>
</context>
<context>
    <name>TSimOptions</name>
    <message>
        <source>Show this help.</source>
        <translation>Muestra esta ayuda.</translation>
    </message>
    <message>
        <source>Host protocol: compatible or extended (default).</source>
        <translation>Protocolo del host: compatible o extended (predeterminado).</translation>
    </message>
    <message>
        <source>Printer profile (INI file) with the answers.</source>
        <translation>Perfil de la impresora (archivo INI) con las respuestas.</translation>
    </message>
    <message>
        <source>Serve the host port on this serial device.</source>
        <translation>Atiende el puerto host en este dispositivo serie.</translation>
    </message>
    <message>
        <source>Serve the fiscal port on this serial device.</source>
        <translation>Atiende el puerto fiscal en este dispositivo serie.</translation>
    </message>
    <message>
        <source>Baud rate of --host-device (default 9600).</source>
        <translation>Velocidad en baudios de --host-device (predeterminado 9600).</translation>
    </message>
    <message>
        <source>Inject a fault on the host port (repeatable).</source>
        <translation>Provoca una falla en el puerto host (se puede repetir).</translation>
    </message>
    <message>
        <source>Inject a fault on the fiscal port (repeatable).</source>
        <translation>Provoca una falla en el puerto fiscal (se puede repetir).</translation>
    </message>
    <message>
        <source>Answer frames per fiscal request when the profile has no rule (default 1).</source>
        <translation>Tramas de respuesta por pedido fiscal cuando el perfil no tiene regla (predeterminado 1).</translation>
    </message>
    <message>
        <source>Append the trace to this file instead of stderr.</source>
        <translation>Agrega la traza a este archivo en lugar de stderr.</translation>
    </message>
    <message>
        <source>Language of the texts: en (English) or es (Spanish).</source>
        <translation>Idioma de los textos: en (inglés) o es (español).</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>argumento inesperado &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--protocol is compatible or extended, not &apos;%1&apos;</source>
        <translation>--protocol es compatible o extended, no &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--baud &apos;%1&apos; is not a supported rate</source>
        <translation>--baud &apos;%1&apos; no es una velocidad admitida</translation>
    </message>
    <message>
        <source>--fiscal-frames is a number from 1 to 100</source>
        <translation>--fiscal-frames es un número de 1 a 100</translation>
    </message>
    <message>
        <source>A simulated fiscal printer for Tessaly: serves the host port and the auxiliary
fiscal port on two pseudo-terminals (or serial devices) until SIGINT or SIGTERM.
The first two output lines name the ports: &quot;host: PATH&quot; and &quot;fiscal: PATH&quot;.
Faults are KIND[=ARGS][@N|@every]: nak, bad-checksum, dc2=K,M, busy-frame=K,M,
other-seq, silence, delay=MS, garbage=K, unplug=MS (see docs/simulator.md).
--replay answers each command as a capture file recorded it (see docs/captures.md).</source>
        <translation>Una impresora fiscal simulada para Tessaly: atiende el puerto host y el puerto
fiscal auxiliar en dos pseudoterminales (o dispositivos serie) hasta SIGINT o SIGTERM.
Las dos primeras líneas de salida nombran los puertos: &quot;host: PATH&quot; y &quot;fiscal: PATH&quot;.
Las fallas son KIND[=ARGS][@N|@every]: nak, bad-checksum, dc2=K,M, busy-frame=K,M,
other-seq, silence, delay=MS, garbage=K, unplug=MS (vea docs/simulator.md).
--replay responde cada comando como lo grabó un archivo de captura (vea docs/captures.md).</translation>
    </message>
    <message>
        <source>Answer each command as this capture file recorded it.</source>
        <translation>Responder cada comando como lo grabó este archivo de captura.</translation>
    </message>
    <message>
        <source>With --replay: answer after the recorded delays.</source>
        <translation>Con --replay: responder tras las demoras grabadas.</translation>
    </message>
    <message>
        <source>--replay answers from the capture; it takes no --profile, --fault, --fiscal-fault or --fiscal-frames</source>
        <translation>--replay responde desde la captura; no admite --profile, --fault, --fiscal-fault ni --fiscal-frames</translation>
    </message>
    <message>
        <source>--replay-delays needs --replay</source>
        <translation>--replay-delays necesita --replay</translation>
    </message>
    <message>
        <source>Keep a symbolic link here to the host pseudo-terminal, across unplugging.</source>
        <translation>Mantener aquí un enlace simbólico al pseudoterminal host, aun al desconectarlo.</translation>
    </message>
    <message>
        <source>Keep a symbolic link here to the fiscal pseudo-terminal, across unplugging.</source>
        <translation>Mantener aquí un enlace simbólico al pseudoterminal fiscal, aun al desconectarlo.</translation>
    </message>
    <message>
        <source>a link is kept for a pseudo-terminal only, not for a serial device</source>
        <translation>un enlace se mantiene solo para un pseudoterminal, no para un dispositivo serie</translation>
    </message>
</context>
<context>
    <name>TStepResult</name>
    <message>
        <source>%1: expected %2, actual %3</source>
        <translation>%1: se esperaba %2, se obtuvo %3</translation>
    </message>
</context>
<context>
    <name>TTerminalDocument</name>
    <message>
        <source>The name &quot;%1&quot; cannot be stored: names may not contain &quot;=&quot;, &quot;[&quot;, &quot;]&quot; or control characters, nor start with &quot;;&quot;</source>
        <translation>El nombre &quot;%1&quot; no se puede guardar: los nombres no pueden contener &quot;=&quot;, &quot;[&quot;, &quot;]&quot; ni caracteres de control, ni empezar con &quot;;&quot;</translation>
    </message>
    <message>
        <source>Group already exists</source>
        <translation>El grupo ya existe</translation>
    </message>
    <message>
        <source>The command already exists</source>
        <translation>El comando ya existe</translation>
    </message>
    <message>
        <source>The section [%1] is reserved</source>
        <translation>La sección [%1] está reservada</translation>
    </message>
    <message>
        <source>The section [%1] is already used by group &quot;%2&quot;</source>
        <translation>La sección [%1] ya la usa el grupo &quot;%2&quot;</translation>
    </message>
    <message>
        <source>The section [%1] is already used by command &quot;%2&quot; of group &quot;%3&quot;</source>
        <translation>La sección [%1] ya la usa el comando &quot;%2&quot; del grupo &quot;%3&quot;</translation>
    </message>
    <message>
        <source>The command &quot;%1&quot; no longer exists</source>
        <translation>El comando &quot;%1&quot; ya no existe</translation>
    </message>
</context>
<context>
    <name>TTranslations</name>
    <message>
        <source>Unknown language &quot;%1&quot;: choose one of %2.</source>
        <translation>Idioma desconocido &quot;%1&quot;: elija uno de %2.</translation>
    </message>
</context>
<context>
    <name>TerminalFiles</name>
    <message>
        <source>Unable to write to %1</source>
        <translation>No se puede escribir en %1</translation>
    </message>
    <message>
        <source>Unable to read %1</source>
        <translation>No se puede leer %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists.
Replace it with a new terminal file?</source>
        <translation>&quot;%1&quot; ya existe.
¿Reemplazarlo por un archivo de terminal nuevo?</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists.
Replace it?</source>
        <translation>&quot;%1&quot; ya existe.
¿Reemplazarlo?</translation>
    </message>
</context>
<context>
    <name>TerminalWindowTexts</name>
    <message>
        <source>Add a new group</source>
        <translation>Agregar un grupo nuevo</translation>
    </message>
    <message>
        <source>Add a new command</source>
        <translation>Agregar un comando nuevo</translation>
    </message>
    <message>
        <source>Rename group &quot;%1&quot;</source>
        <translation>Renombrar el grupo &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Rename command &quot;%1&quot;</source>
        <translation>Renombrar el comando &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Are you sure you want to delete group &quot;%1&quot; ?</source>
        <translation>¿Está seguro de que desea eliminar el grupo &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>Are you sure you want to delete command &quot;%1&quot; ?</source>
        <translation>¿Está seguro de que desea eliminar el comando &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>&quot;%1&quot; command already exists, ovewrite?</source>
        <translation>El comando &quot;%1&quot; ya existe, ¿sobrescribirlo?</translation>
    </message>
    <message>
        <source>Send selected command</source>
        <translation>Enviar el comando seleccionado</translation>
    </message>
    <message>
        <source>Send commands &quot;n&quot; times</source>
        <translation>Enviar el comando &quot;n&quot; veces</translation>
    </message>
    <message>
        <source>Cancel command in progress</source>
        <translation>Cancelar el comando en curso</translation>
    </message>
    <message>
        <source>Enter times to repeat the command</source>
        <translation>Ingrese cuántas veces repetir el comando</translation>
    </message>
    <message>
        <source>Status panels left out, their fixed-answer records cannot be read: %1</source>
        <translation>Paneles de estado omitidos, no se pueden leer sus registros de respuesta fija: %1</translation>
    </message>
    <message>
        <source>The answer fields of [%1] cannot be read (%2): rows past the last one read are shown as Field and their number</source>
        <translation>Los campos de respuesta de [%1] no se pueden leer (%2): las filas posteriores a la última leída se muestran como Field y su número</translation>
    </message>
</context>
</TS>
